#include "frame_oracle.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "input.h"
#include "orbit.h"
#include "playfield.h"
#include "scene.h"
#include "video.h"

namespace {

constexpr unsigned long kRgbMask = 0xFFFFFF;
constexpr unsigned long kRed = 0xFF0000;
constexpr int kDegreesPerTurn = 360;

bool surfaceRowIs(const Screenshot& shot, int y) {
    const auto* row =
        static_cast<const Uint8*>(screen->pixels) + static_cast<std::ptrdiff_t>(y) * screen->pitch;
    for (int x = 0; x < shot.width; ++x) {
        Uint32 pixel = 0;
        std::memcpy(&pixel, row + static_cast<std::ptrdiff_t>(x) * sizeof pixel, sizeof pixel);
        if ((pixel & kRgbMask) != shot.at(x, y)) {
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

// Whether the frame step, with the steered dot still at (x, y), draws exactly the shot.
bool drawnFrameIs(const Screenshot& shot, int x, int y, int DotNum, int radius, int angle) {
    Scene scene(x, y, DotNum);
    scene.angle = angle;
    Input input;
    input.radius = radius;
    return runFrame(scene, input) && surfaceIs(shot);
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
    for (int angle = 0; angle < kDegreesPerTurn; angle += kPhaseStep) {
        if (drawnFrameIs(shot, dot->first, dot->second, DotNum, radius, angle)) {
            return angle;
        }
    }
    return std::nullopt;
}

int framesBetween(int fromPhase, int toPhase) {
    return ((toPhase - fromPhase + kDegreesPerTurn) % kDegreesPerTurn) / kPhaseStep;
}
