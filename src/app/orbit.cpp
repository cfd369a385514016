#include "app/orbit.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "app/colours.h"
#include "app/drawing.h"
#include "common/playfield.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kDegreesPerTurn = 360;

// The dot's offset on the circle plus the phase, in whole degrees, not reduced to one turn. The
// product comes before the division so that the offsets spread evenly (0, 51, 102, ... for 7).
int dotDegrees(int i, int DotNum, int angle) {
    return (i * kDegreesPerTurn) / DotNum + angle;
}

double toRadians(int degrees) {
    return degrees * kPi / 180.0;
}

// The centre's coordinate: truncated toward zero, not rounded; the pixel a dot lands on depends
// on it (14.999999999999998 gives 14). So it depends on the last bit of the sum, and on the
// offset's product being rounded before the sum takes it: a fused multiply-add rounds only once
// and can land a pixel lower (sin 210 degrees x 66 + 100 gives 67 as written, 66.99999999999999
// fused). The build forbids that contraction (-ffp-contract=off).
int centreOnAxis(double offset, int playerAxis) {
    return truncateToInt(offset + static_cast<double>(playerAxis));
}

// Wide enough for the rectangle's fields on every platform: SDL 1.2 keeps them in 16 bits, the
// web's SDL in 32.
Sint16 cornerOf(std::int64_t centre, std::int64_t side) {
    return toRectField(centre - side / 2);
}

}  // namespace

std::vector<SDL_Rect> createOrbitDots(int DotNum, const Coord& player) {
    SDL_Rect dot;
    dot.x = toRectField(player.getX());
    dot.y = toRectField(player.getY());
    dot.w = kOrbitDotSide;
    dot.h = kOrbitDotSide;
    return std::vector<SDL_Rect>(static_cast<std::size_t>(DotNum), dot);
}

void placeOrbitDots(std::vector<SDL_Rect>& dots, SDL_Rect& rtCenter, const Coord& player,
                    int radius, int angle) {
    const int DotNum = static_cast<int>(dots.size());
    for (int i = 0; i < DotNum; ++i) {
        SDL_Rect& dot = dots[static_cast<std::size_t>(i)];
        const double rad = toRadians(dotDegrees(i, DotNum, angle));
        rtCenter.x = toRectField(centreOnAxis(std::sin(rad) * radius, player.getX()));
        dot.x = cornerOf(rtCenter.x, dot.w);
        rtCenter.y = toRectField(centreOnAxis(std::cos(rad) * radius, player.getY()));
        dot.y = cornerOf(rtCenter.y, dot.h);
    }
}

void wrapOrbitDots(std::vector<SDL_Rect>& dots) {
    for (SDL_Rect& dot : dots) {
        dot.x = toRectField(wrapIntoPlayfield(dot.x, screen->w));
        dot.y = toRectField(wrapIntoPlayfield(dot.y, screen->h));
    }
}

void drawOrbitDots(const std::vector<SDL_Rect>& dots) {
    for (const SDL_Rect& dot : dots) {
        fillOnScreen(dot, kBlack);
    }
}

int advancePhase(int angle) {
    return (angle + kPhaseStep) % kDegreesPerTurn;
}
