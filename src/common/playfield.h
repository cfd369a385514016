#pragma once

#include <SDL.h>

#include <cstdint>

// The video surface, set once by the main program when the video mode is set and fixed for the
// rest of the run. Everything that consults the play field reads its size from here.
extern SDL_Surface* screen;

// Side of an orbiting dot's square. The play field stops this far short of the surface's right
// and bottom edges: x in [0, W - 7), y in [0, H - 7).
constexpr int kOrbitDotSide = 7;

// The exclusive upper bound of the play field on an axis of the given length.
constexpr int playfieldLimit(int axisLength) {
    return axisLength - kOrbitDotSide;
}

// Brings a value that has left the play field back in from the opposite side. One correction per
// call: a value more than one field length outside stays outside.
int wrapIntoPlayfield(int value, int axisLength);

// SDL_Rect keeps x and y in 16 bits: a wider value keeps its low 16 bits, read as two's
// complement.
Sint16 toRectField(std::int64_t value);

// Results that would leave the 32-bit range stop at its limits instead.
int clampToInt(std::int64_t value);

// Truncation toward zero, stopping at the 32-bit limits instead of overflowing.
int truncateToInt(double value);
