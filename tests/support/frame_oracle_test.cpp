// The frame oracle's own check.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "expected_colours.h"
#include "frame_oracle.h"

namespace {

constexpr int kPlayfieldWidth = 793;
constexpr int kStartRadius = 30;

// A frame in which the dot wraps around at the right edge is drawn around the position before the
// wrap-around. At most phases it shows that phase's still frame; at a few it shows the next
// phase's (dots a pixel apart), and counted as that it would make a frame too few: such a picture
// gives no phase.
TEST(FrameOracleTest, AFrameThatWrapsAroundCountsOnlyAsItsOwnPhase) {
    const FrameOracle oracle;
    ASSERT_TRUE(oracle.ready());
    for (const auto& [angle, phase] :
         std::vector<std::pair<int, std::optional<int>>>{{180, 180}, {186, std::nullopt}}) {
        const Screenshot wrapping = oracle.frame(kPlayfieldWidth, 300, 1, kStartRadius, angle);
        EXPECT_EQ(wrapping.find(kRedPixel), (std::optional<std::pair<int, int>>{{0, 300}}));
        EXPECT_EQ(oracle.phaseShown(wrapping, 1, kStartRadius), phase) << "at " << angle;
    }
}

}  // namespace
