#include "frame_oracle.h"

#include <SDL.h>

#include <cstdlib>
#include <sstream>
#include <utility>
#include <vector>

#include "app/orbit.h"
#include "app/scene.h"
#include "app/video.h"
#include "common/playfield.h"
#include "expected_colours.h"
#include "input/input.h"
#include "video_fixture.h"

namespace {

constexpr int kDegreesPerTurn = 360;
// The longest move of a frame: each velocity component stays within -50 ... 50.
constexpr int kLongestMove = 50;

bool surfaceIs(const Screenshot& shot) {
    if (shot.width != screen->w || shot.height != screen->h) {
        return false;
    }
    const SurfacePixels pixels;
    for (int y = 0; y < shot.height; ++y) {
        if (!pixels.rowIs(shot, y)) {
            return false;
        }
    }
    return true;
}

// Draws the frame step with the steered dot still at (x, y) before the wrap-around.
bool drawFrame(int x, int y, int DotNum, int radius, int angle) {
    Scene scene(0, 0, DotNum);
    scene.player.setX(x);
    scene.player.setY(y);
    scene.angle = angle;
    Input input;
    input.radius = radius;
    return runFrame(scene, input) == FrameOutcome::Shown;
}

bool drawnFrameIs(const Screenshot& shot, int x, int y, int DotNum, int radius, int angle) {
    return drawFrame(x, y, DotNum, radius, angle) && surfaceIs(shot);
}

// Where the steered dot shown at (x, y) may have been before its frame's wrap-around, other than
// there: one move past the left or top edge, or at the right edge, where a move that would pass
// it stops (and the bottom one, where it stops unless x stopped in the same frame: that corner is
// left out).
std::vector<std::pair<int, int>> positionsBeforeWrapping(int x, int y) {
    const int width = playfieldLimit(screen->w);
    const int height = playfieldLimit(screen->h);
    std::vector<int> xs = {x};
    std::vector<int> ys = {y};
    if (x >= width - kLongestMove) {
        xs.push_back(x - width);
    }
    if (x == 0) {
        xs.push_back(width);
    }
    if (y >= height - kLongestMove) {
        ys.push_back(y - height);
    }
    if (y == 0) {
        ys.push_back(height);
    }
    std::vector<std::pair<int, int>> positions;
    for (const int fromX : xs) {
        for (const int fromY : ys) {
            if (fromX != x || fromY != y) {
                positions.emplace_back(fromX, fromY);
            }
        }
    }
    return positions;
}

// Whether a frame in which the dot wraps around, at some phase, draws the shot too where the still
// frame of that phase does not. The dots circle the position before the wrap-around, which puts
// some of them a pixel away from where they circle the wrapped one: such a frame can look exactly
// like a still frame of the next phase, and would count one frame too few.
bool wrappingFrameOfAnotherPhaseIs(const Screenshot& shot, int x, int y, int DotNum, int radius) {
    for (const auto& [fromX, fromY] : positionsBeforeWrapping(x, y)) {
        for (int angle = 0; angle < kDegreesPerTurn; angle += kPhaseStep) {
            if (drawnFrameIs(shot, fromX, fromY, DotNum, radius, angle) &&
                !drawnFrameIs(shot, x, y, DotNum, radius, angle)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

FrameOracle::FrameOracle() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::ostringstream err;
    started = startVideo(err);
}

FrameOracle::~FrameOracle() {
    if (started) {
        stopVideo();
    }
}

std::optional<int> FrameOracle::phaseShown(const Screenshot& shot, int DotNum, int radius) const {
    const std::optional<std::pair<int, int>> dot = shot.find(kRedPixel);
    if (!started || !dot) {
        return std::nullopt;
    }
    const auto [x, y] = *dot;
    for (int angle = 0; angle < kDegreesPerTurn; angle += kPhaseStep) {
        if (drawnFrameIs(shot, x, y, DotNum, radius, angle)) {
            if (wrappingFrameOfAnotherPhaseIs(shot, x, y, DotNum, radius)) {
                return std::nullopt;
            }
            return angle;
        }
    }
    return std::nullopt;
}

Screenshot FrameOracle::frame(int x, int y, int DotNum, int radius, int angle) const {
    if (!started || !drawFrame(x, y, DotNum, radius, angle)) {
        return {};
    }
    return SurfacePixels().shot();
}

int framesBetween(int fromPhase, int toPhase) {
    return ((toPhase - fromPhase + kDegreesPerTurn) % kDegreesPerTurn) / kPhaseStep;
}
