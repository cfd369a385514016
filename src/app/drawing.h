#pragma once

#include <SDL.h>

#include <cstdint>

// Fills the whole screen with the colour 0xRRGGBB.
void fillScreen(std::uint32_t rgb);

// Fills the area of the screen with the colour 0xRRGGBB. SDL writes the clipped size back into
// the rectangle it is given: the area is a copy, so that a dot keeps its own size whole for later
// frames.
void fillOnScreen(SDL_Rect area, std::uint32_t rgb);
