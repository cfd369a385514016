#include "frame_oracle.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <utility>
#include <vector>

#include "input.h"
#include "orbit.h"
#include "playfield.h"
#include "scene.h"
#include "video.h"

namespace {

constexpr unsigned long kRgbMask = 0xFFFFFF;
constexpr unsigned long kRed = 0xFF0000;
constexpr int kDegreesPerTurn = 360;
// The longest move of a frame: each velocity component stays within -50 ... 50.
constexpr int kLongestMove = 50;

// A pixel of the surface as a shot has it; the surface must be locked.
unsigned long surfacePixel(int x, int y) {
    const auto* row =
        static_cast<const Uint8*>(screen->pixels) + static_cast<std::ptrdiff_t>(y) * screen->pitch;
    Uint32 pixel = 0;
    std::memcpy(&pixel, row + static_cast<std::ptrdiff_t>(x) * sizeof pixel, sizeof pixel);
    return pixel & kRgbMask;
}

bool surfaceRowIs(const Screenshot& shot, int y) {
    for (int x = 0; x < shot.width; ++x) {
        if (surfacePixel(x, y) != shot.at(x, y)) {
            return false;
        }
    }
    return true;
}

bool surfaceIs(const Screenshot& shot) {
    if (shot.width != screen->w || shot.height != screen->h) {
        return false;
    }
    SDL_LockSurface(screen);
    bool same = true;
    for (int y = 0; y < shot.height && same; ++y) {
        same = surfaceRowIs(shot, y);
    }
    SDL_UnlockSurface(screen);
    return same;
}

// Draws the frame step with the steered dot still at (x, y) before the wrap-around.
bool drawFrame(int x, int y, int DotNum, int radius, int angle) {
    Scene scene(0, 0, DotNum);
    scene.player.setX(x);
    scene.player.setY(y);
    scene.angle = angle;
    Input input;
    input.radius = radius;
    return runFrame(scene, input);
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
        SDL_Quit();
        screen = nullptr;
    }
}

std::optional<int> FrameOracle::phaseShown(const Screenshot& shot, int DotNum, int radius) const {
    const std::optional<std::pair<int, int>> dot = shot.find(kRed);
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
    Screenshot shot;
    if (!started || !drawFrame(x, y, DotNum, radius, angle)) {
        return shot;
    }
    shot.width = screen->w;
    shot.height = screen->h;
    SDL_LockSurface(screen);
    for (int row = 0; row < shot.height; ++row) {
        for (int column = 0; column < shot.width; ++column) {
            shot.pixels.push_back(surfacePixel(column, row));
        }
    }
    SDL_UnlockSurface(screen);
    return shot;
}

int framesBetween(int fromPhase, int toPhase) {
    return ((toPhase - fromPhase + kDegreesPerTurn) % kDegreesPerTurn) / kPhaseStep;
}
