#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "input/input.h"
#include "video_fixture.h"

namespace {

class InputTest : public DummyVideoTest {
  protected:
    // Velocity, speed and inertia after each of a few frames with these keys and Right held, from
    // speed 5 and either inertia.
    static std::vector<std::tuple<int, int, bool>> effectsOf(const std::vector<SDLKey>& keys) {
        std::vector<std::tuple<int, int, bool>> effects;
        for (const bool inertia : {false, true}) {
            speed = 5;
            Input input;
            input.inertia = inertia;
            std::vector<SDLKey> held = keys;
            held.push_back(SDLK_RIGHT);
            hold(held);
            for (int frame = 0; frame < 3; ++frame) {
                input.update();
                effects.emplace_back(input.getVelocity().getX(), speed, input.inertia);
            }
        }
        return effects;
    }
};

// Runs `frames` updates with the keys currently held; returns the last result.
int updateFor(Input& input, int frames) {
    int result = 0;
    for (int i = 0; i < frames; ++i) {
        result = input.update();
    }
    return result;
}

TEST_F(InputTest, StartsStillWithRadiusThirty) {
    Input input;
    EXPECT_EQ(input.update(), 0);
    EXPECT_EQ(input.getVelocity().getX(), 0);
    EXPECT_EQ(input.getVelocity().getY(), 0);
    EXPECT_EQ(input.radius, 30);
}

TEST_F(InputTest, WithoutInertiaTheVelocityLastsOneFrame) {
    Input input;
    input.inertia = false;
    hold({SDLK_RIGHT});
    for (int frame = 0; frame < 3; ++frame) {
        input.update();
        EXPECT_EQ(input.getVelocity().getX(), 1);
    }
    releaseAll();
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), 0);
}

TEST_F(InputTest, OppositeArrowsCancel) {
    Input input;
    hold({SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT});
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), 0);
    EXPECT_EQ(input.getVelocity().getY(), 0);
}

TEST_F(InputTest, ArrowsMoveTheWayTheyPoint) {
    Input input;
    hold({SDLK_UP, SDLK_LEFT});
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), -1);
    EXPECT_EQ(input.getVelocity().getY(), -1);
    hold({SDLK_DOWN});
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), 0);
    EXPECT_EQ(input.getVelocity().getY(), 1);
}

TEST_F(InputTest, WithInertiaTheVelocityBuildsUpAndStopsBeforeFifty) {
    Input input;
    input.inertia = true;
    speed = 7;
    hold({SDLK_RIGHT});
    for (const int expected : {7, 14, 21, 28, 35, 42, 49, 49, 49}) {
        input.update();
        EXPECT_EQ(input.getVelocity().getX(), expected);
    }
    releaseAll();
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), 49) << "inertia keeps the velocity without keys";
}

TEST_F(InputTest, FullSpeedWithInertiaDropsTheIncrementThatWouldPassFifty) {
    Input input;
    input.inertia = true;
    speed = 30;
    hold({SDLK_RIGHT});
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), 30);
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), 30);
}

TEST_F(InputTest, ArrowsUseTheSpeedFromBeforeThisFramesChange) {
    Input input;
    hold({SDLK_RIGHT, SDLK_KP_PLUS});
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), 1);
    EXPECT_EQ(speed, 2);
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), 2);
    hold({SDLK_LEFT, SDLK_KP_MINUS});
    input.update();
    EXPECT_EQ(input.getVelocity().getX(), -3);
    EXPECT_EQ(speed, 2);
}

TEST_F(InputTest, SpeedStaysWithinOneToThirty) {
    Input input;
    hold({SDLK_KP_MINUS});
    input.update();
    EXPECT_EQ(speed, 1);
    hold({SDLK_KP_PLUS});
    updateFor(input, 40);
    EXPECT_EQ(speed, 30);
    hold({SDLK_KP_PLUS, SDLK_KP_MINUS});
    input.update();
    EXPECT_EQ(speed, 30) << "minus first to 29, then plus back to 30";
}

TEST_F(InputTest, SpeedOutlivesTheInputThatChangedIt) {
    {
        Input first;
        hold({SDLK_KP_PLUS});
        updateFor(first, 4);
    }
    Input second;
    hold({SDLK_RIGHT});
    second.update();
    EXPECT_EQ(second.getVelocity().getX(), 5);
}

TEST_F(InputTest, KeypadOneAndTwoSwitchInertiaAndTwoWins) {
    Input input;
    hold({SDLK_KP2});
    input.update();
    EXPECT_TRUE(input.inertia);
    hold({SDLK_KP1});
    input.update();
    EXPECT_FALSE(input.inertia);
    hold({SDLK_KP1, SDLK_KP2});
    input.update();
    EXPECT_TRUE(input.inertia);
}

TEST_F(InputTest, SwitchingInertiaOffClearsTheVelocityOnlyFromTheNextFrame) {
    Input input;
    input.inertia = true;
    hold({SDLK_DOWN});
    updateFor(input, 3);
    hold({SDLK_KP1});
    input.update();
    EXPECT_EQ(input.getVelocity().getY(), 3);
    releaseAll();
    input.update();
    EXPECT_EQ(input.getVelocity().getY(), 0);
}

TEST_F(InputTest, RadiusStaysWithinZeroToTwoHundred) {
    Input input;
    hold({SDLK_PAGEUP});
    updateFor(input, 10);
    EXPECT_EQ(input.radius, 40);
    updateFor(input, 200);
    EXPECT_EQ(input.radius, 200);
    hold({SDLK_PAGEDOWN});
    updateFor(input, 250);
    EXPECT_EQ(input.radius, 0);
}

TEST_F(InputTest, EscapeReportsTheEndAfterApplyingEveryOtherKey) {
    Input input;
    hold({SDLK_ESCAPE, SDLK_RIGHT, SDLK_KP_PLUS, SDLK_KP2, SDLK_PAGEUP});
    EXPECT_EQ(input.update(), 1);
    EXPECT_EQ(input.getVelocity().getX(), 1);
    EXPECT_EQ(speed, 2);
    EXPECT_TRUE(input.inertia);
    EXPECT_EQ(input.radius, 31);
}

TEST_F(InputTest, MainRowKeysDoWhatTheKeypadKeysDoOnceAFrame) {
    const std::vector<std::pair<std::vector<SDLKey>, std::vector<SDLKey>>> sameAs = {
        {{SDLK_MINUS}, {SDLK_KP_MINUS}},
        {{SDLK_MINUS, SDLK_KP_MINUS}, {SDLK_KP_MINUS}},
        {{SDLK_EQUALS}, {SDLK_KP_PLUS}},
        {{SDLK_PLUS}, {SDLK_KP_PLUS}},
        {{SDLK_EQUALS, SDLK_PLUS, SDLK_KP_PLUS}, {SDLK_KP_PLUS}},
        {{SDLK_1}, {SDLK_KP1}},
        {{SDLK_2}, {SDLK_KP2}},
        {{SDLK_1, SDLK_2}, {SDLK_KP1, SDLK_KP2}},
        {{SDLK_MINUS, SDLK_EQUALS, SDLK_1, SDLK_2},
         {SDLK_KP_MINUS, SDLK_KP_PLUS, SDLK_KP1, SDLK_KP2}},
        {{SDLK_0, SDLK_3, SDLK_9, SDLK_KP3, SDLK_SPACE, SDLK_a}, {}},
    };
    for (const auto& [keys, keypadKeys] : sameAs) {
        EXPECT_EQ(effectsOf(keys), effectsOf(keypadKeys)) << "keys from " << keys.front();
    }
    EXPECT_NE(effectsOf({SDLK_EQUALS}), effectsOf({})) << "the cases above must tell keys apart";
}

// The window's close button ends nothing: a quit request is only noted, for the frame loop to
// tell a lost display apart, also while it waits behind another event.
TEST_F(InputTest, AQuitEventIsNotedAndHasNoOtherEffect) {
    Input input;
    EXPECT_FALSE(input.closeRequested());
    SDL_Event other{};
    other.type = SDL_USEREVENT;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&other);
    SDL_PushEvent(&quit);
    for (const bool stillWaiting : {true, true, false}) {
        EXPECT_EQ(input.update(), 0);
        EXPECT_EQ(input.closeRequested(), stillWaiting);
        EXPECT_EQ(input.getVelocity().getX(), 0);
        EXPECT_EQ(input.getVelocity().getY(), 0);
    }
}

}  // namespace
