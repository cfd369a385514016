// A game pad through SDL's own joystick code: an SDL 2 virtual pad, which the SDL2-based runtime
// takes for a real one. (SDL 1.2's own runtime reads only devices: the real-window suite fakes one
// there.)
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "input/input.h"
#include "sdl_runtime.h"
#include "video_fixture.h"
#include "virtual_pad.h"

namespace {

class GamePadTest : public DummyVideoTest {
  protected:
    void SetUp() override {
        if (!sdl2BasedRuntimeAsked()) {
            GTEST_SKIP() << "SDL 1.2's own runtime has no virtual pads";
        }
        // SDL 2 passes a pad's input on only to a window with the focus, which the dummy driver's
        // never has.
        SDL_putenv(const_cast<char*>("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS=1"));
        pad = std::make_unique<VirtualPad>();
        ASSERT_TRUE(pad->attached());
        DummyVideoTest::SetUp();
    }

    std::unique_ptr<VirtualPad> pad;
};

std::pair<int, int> velocityOf(const Input& input) {
    return {input.getVelocity().getX(), input.getVelocity().getY()};
}

TEST_F(GamePadTest, TheDpadAndTheStickPastAQuarterOfItsTravelAreTheArrows) {
    struct Held {
        Uint8 hat;
        Sint16 x, y;
        std::pair<int, int> velocity;
    } const cases[] = {
        {SDL_HAT_UP, 0, 0, {0, -1}},
        {SDL_HAT_DOWN, 0, 0, {0, 1}},
        {SDL_HAT_LEFT, 0, 0, {-1, 0}},
        {SDL_HAT_RIGHT, 0, 0, {1, 0}},
        {SDL_HAT_RIGHTUP, 0, 0, {1, -1}},
        {SDL_HAT_LEFTDOWN, 0, 0, {-1, 1}},
        {0, 32767, 0, {1, 0}},
        {0, -32768, 0, {-1, 0}},
        {0, 0, -8193, {0, -1}},
        {0, -20000, 20000, {-1, 1}},
        {0, 8192, -8192, {0, 0}},
        {SDL_HAT_UP, 0, 32767, {0, 0}},
    };
    for (const Held& held : cases) {
        pad->setHat(held.hat);
        pad->setAxis(0, held.x);
        pad->setAxis(1, held.y);
        Input input;
        input.update();
        EXPECT_EQ(velocityOf(input), held.velocity)
            << "hat " << int{held.hat} << ", stick " << held.x << "," << held.y;
    }
}

TEST_F(GamePadTest, EachButtonHoldsItsKeyInEveryFrameAndTheOthersNothing) {
    // After three frames held, from speed 5, radius 30 and inertia off (on for X).
    struct Effects {
        int button, speed, radius, ended;
        bool inertia;
    } const cases[] = {
        {0, 8, 30, 0, false}, {1, 2, 30, 0, false}, {2, 5, 30, 0, false},  {3, 5, 30, 0, true},
        {5, 5, 33, 0, false}, {4, 5, 27, 0, false}, {6, 5, 30, 1, false},  {7, 5, 30, 0, false},
        {8, 5, 30, 0, false}, {9, 5, 30, 0, false}, {10, 5, 30, 0, false},
    };
    // The triggers and the right stick, pushed all the way, do nothing.
    for (int axis = 2; axis < 6; ++axis) {
        pad->setAxis(axis, 32767);
    }
    for (const Effects& expected : cases) {
        SCOPED_TRACE("button " + std::to_string(expected.button));
        speed = 5;
        Input input;
        input.inertia = expected.button == 2;
        pad->setButton(expected.button, true);
        int ended = 0;
        for (int frame = 0; frame < 3; ++frame) {
            ended = input.update();
        }
        pad->setButton(expected.button, false);
        EXPECT_EQ(speed, expected.speed);
        EXPECT_EQ(input.radius, expected.radius);
        EXPECT_EQ(ended, expected.ended);
        EXPECT_EQ(input.inertia, expected.inertia);
        EXPECT_EQ(velocityOf(input), std::pair(0, 0));
    }
}

TEST_F(GamePadTest, AKeyAndThePadsControlForItAreOneAndUnpluggingReleasesThePad) {
    hold({SDLK_KP_PLUS, SDLK_RIGHT});
    pad->setButton(0, true);
    pad->setHat(SDL_HAT_RIGHT);
    Input input;
    input.update();
    input.update();
    EXPECT_EQ(velocityOf(input), std::pair(2, 0));
    EXPECT_EQ(speed, 3);
    releaseAll();
    pad->unplug();
    input.update();
    EXPECT_EQ(velocityOf(input), std::pair(0, 0));
    EXPECT_EQ(speed, 3);
}

}  // namespace
