#include <gtest/gtest.h>

#include <limits>

#include "app/scene.h"
#include "common/playfield.h"
#include "geometry/coord.h"
#include "input/input.h"
#include "video_fixture.h"

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

TEST(Limits, ClampingStopsAtThe32BitLimits) {
    EXPECT_EQ(clampToInt(std::int64_t{kIntMax} + 1), kIntMax);
    EXPECT_EQ(clampToInt(std::int64_t{kIntMin} - 50), kIntMin);
    EXPECT_EQ(clampToInt(-12), -12);
}

TEST(Limits, TruncationStopsAtThe32BitLimits) {
    EXPECT_EQ(truncateToInt(-2.7), -2);
    EXPECT_EQ(truncateToInt(2.7), 2);
    EXPECT_EQ(truncateToInt(2147483647.9), kIntMax);
    EXPECT_EQ(truncateToInt(2147483648.0), kIntMax);
    EXPECT_EQ(truncateToInt(-2147483648.9), kIntMin);
    EXPECT_EQ(truncateToInt(-2147483849.0), kIntMin);
    EXPECT_EQ(truncateToInt(1e300), kIntMax);
}

TEST(Limits, RectangleFieldsKeepTheLow16Bits) {
    EXPECT_EQ(toRectField(-33), -33);
    EXPECT_EQ(toRectField(32768), -32768);
    EXPECT_EQ(toRectField(65536 + 5), 5);
    EXPECT_EQ(toRectField(kIntMin + 593), 593);
}

class LimitsOnScreen : public DummyVideoTest {
  protected:
    void runFrames(Scene& scene, int frames) {
        for (int i = 0; i < frames; ++i) {
            ASSERT_EQ(runFrame(scene, input), FrameOutcome::Shown);
        }
    }
    Input input;
    CoutCapture out;
};

TEST_F(LimitsOnScreen, SumsBelowTheLowerLimitSaturateThere) {
    Scene scene(900, kIntMin, 12);
    hold({SDLK_UP});
    runFrames(scene, 1);
    EXPECT_EQ(scene.player.getY(), kIntMin + 593);
    runFrames(scene, 1);
    EXPECT_EQ(scene.player.getY(), kIntMin + 592 + 593);
}

TEST_F(LimitsOnScreen, SumsAboveTheUpperLimitSaturateThere) {
    Coord top(-1, kIntMax);
    Coord down;
    down.setY(50);
    down.setX(800);
    const Coord sum = top + down;  // x saturates, so y is left unsaturated
    EXPECT_EQ(sum.getX(), 793);
    EXPECT_EQ(sum.getY(), kIntMax);

    Scene scene(-1, kIntMax, 12);
    hold({SDLK_DOWN, SDLK_RIGHT});
    runFrames(scene, 1);
    EXPECT_EQ(scene.player.getX(), 1);
    EXPECT_EQ(scene.player.getY(), 0);
}

TEST_F(LimitsOnScreen, DifferencesSaturateAtThe32BitLimits) {
    Coord low(-1, kIntMin);
    Coord up;
    up.setX(-5);
    up.setY(10);
    EXPECT_EQ((low - up).getY(), 0) << "dx is 5, dy below the limit is negative";
    Coord high;
    high.setX(kIntMax);
    Coord negative;
    negative.setX(-10);
    EXPECT_EQ((high - negative).getX(), kIntMax);
}

TEST_F(LimitsOnScreen, WideOrbitAtTheLowerLimitRunsClean) {
    Scene scene(900, kIntMin + 10, 12);
    hold({SDLK_PAGEUP, SDLK_UP});
    runFrames(scene, 200);
    EXPECT_EQ(input.radius, 200);
    hold({SDLK_ESCAPE});
    EXPECT_EQ(runFrame(scene, input), FrameOutcome::RunEnded);
}

}  // namespace
