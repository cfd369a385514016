#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/scene.h"
#include "common/playfield.h"
#include "expected_texts.h"
#include "input/input.h"
#include "video_fixture.h"

namespace {

class SteeredDotTest : public DummyVideoTest {
  protected:
    // Runs frames with the keys currently held; every one of them must go on.
    static void runFrames(Scene& scene, Input& input, int frames) {
        for (int i = 0; i < frames; ++i) {
            ASSERT_EQ(runFrame(scene, input), FrameOutcome::Shown);
        }
    }

    static void expectRedDotAt(int x, int y) {
        EXPECT_TRUE(squareIs(x, y, 2, kRedPixel)) << "no red dot at " << x << "," << y;
        EXPECT_EQ(countPixels(kRedPixel), 4) << "the red dot is 2 x 2 and alone";
    }

    Input input;
};

TEST_F(SteeredDotTest, FirstFrameShowsTheRedDotAtTheStartOnWhite) {
    Scene scene(100, 200, 0);
    runFrames(scene, input, 1);
    expectRedDotAt(100, 200);
    EXPECT_EQ(countPixels(kWhitePixel), 800 * 600 - 4);
}

TEST_F(SteeredDotTest, HeldRightMovesOnePixelPerFrameAtSpeedOne) {
    Scene scene(100, 200, 0);
    hold({SDLK_RIGHT});
    runFrames(scene, input, 5);
    expectRedDotAt(105, 200);
    releaseAll();
    runFrames(scene, input, 3);
    expectRedDotAt(105, 200);
}

TEST_F(SteeredDotTest, InvalidStartIsCorrectedWithItsConsoleLines) {
    CoutCapture out;
    Scene scene(793, 0, 0);
    EXPECT_EQ(out.text(), kXCorrected);
    runFrames(scene, input, 1);
    expectRedDotAt(0, 0);
}

struct EdgeCase {
    const char* name;
    int startX, startY;
    int frameSpeed;
    std::vector<SDLKey> keys;
    int endX, endY;
};

void PrintTo(const EdgeCase& edge, std::ostream* out) {
    *out << edge.name;
}

class SteeredDotEdgeTest : public SteeredDotTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(SteeredDotEdgeTest, OneFrameAcrossTheEdge) {
    const EdgeCase& c = GetParam();
    Scene scene(c.startX, c.startY, 0);
    speed = c.frameSpeed;
    hold(c.keys);
    runFrames(scene, input, 1);
    EXPECT_EQ(scene.player.getX(), c.endX);
    EXPECT_EQ(scene.player.getY(), c.endY);
    expectRedDotAt(c.endX, c.endY);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, SteeredDotEdgeTest,
    ::testing::Values(
        // 793 is not above 793: no saturation, and the wrap-around gives 0.
        EdgeCase{"RightFromTheLastColumn", 792, 100, 1, {SDLK_RIGHT}, 0, 100},
        // 795 saturates to 793 and wraps to 0: the overshoot is lost.
        EdgeCase{"RightLosesTheOvershoot", 790, 100, 5, {SDLK_RIGHT}, 0, 100},
        EdgeCase{"LeftKeepsTheOvershoot", 2, 100, 5, {SDLK_LEFT}, 790, 100},
        EdgeCase{"TopKeepsTheOvershoot", 100, 2, 5, {SDLK_UP}, 100, 590},
        EdgeCase{"BottomLosesTheOvershoot", 100, 590, 5, {SDLK_DOWN}, 100, 0},
        // Only x saturates: (793, 595) wraps to (0, 2).
        EdgeCase{"CornerSaturatesXOnly", 790, 590, 5, {SDLK_RIGHT, SDLK_DOWN}, 0, 2}),
    [](const auto& edge) { return std::string(edge.param.name); });

TEST_F(SteeredDotTest, AboveTheFieldTheDotIsCutOnlyForTheFrameItIsOutside) {
    // y goes unchecked when x is invalid: -700 wraps to -107, above the surface, for one frame.
    CoutCapture out;
    Scene scene(900, -700, 0);
    runFrames(scene, input, 1);
    EXPECT_EQ(scene.player.getY(), -107);
    EXPECT_EQ(countPixels(kRedPixel), 0);
    runFrames(scene, input, 1);
    expectRedDotAt(0, 486);
}

TEST_F(SteeredDotTest, EscapeAtTheFirstFrameDrawsNothing) {
    Scene scene(100, 200, 3);
    constexpr Uint32 kUntouched = 0x00123456;
    SDL_FillRect(screen, nullptr, kUntouched);
    hold({SDLK_ESCAPE, SDLK_RIGHT});
    EXPECT_EQ(runFrame(scene, input), FrameOutcome::RunEnded);
    EXPECT_EQ(countPixels(kUntouched), 800 * 600);
    EXPECT_EQ(scene.player.getX(), 100);
    EXPECT_EQ(scene.angle, 0);
}

TEST_F(SteeredDotTest, FrameLoopTellsThatEscapeEndedTheRun) {
    Scene scene(100, 200, 3);
    hold({SDLK_ESCAPE});
    EXPECT_EQ(runFrameLoop(scene, input), FrameOutcome::RunEnded);
    EXPECT_EQ(scene.angle, 0) << "the ending frame draws nothing";
}

}  // namespace
