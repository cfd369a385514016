#pragma once

#include <SDL.h>

#include <vector>

#include "geometry/coord.h"

// Degrees the orbiting dots turn per frame; a full turn takes 120 frames.
constexpr int kPhaseStep = 3;

// One 7 x 7 rectangle per orbiting dot, all at the player's position until the first frame
// places them.
std::vector<SDL_Rect> createOrbitDots(int DotNum, const Coord& player);

// Spreads the dots evenly around the player at the given radius, turned by the phase `angle`
// (degrees): at phase 0 the first dot sits below the player, at 90 to its right. rtCenter holds
// each dot's centre while it is placed.
void placeOrbitDots(std::vector<SDL_Rect>& dots, SDL_Rect& rtCenter, const Coord& player,
                    int radius, int angle);

// Brings every dot's corner that has left the play field back in from the opposite side.
void wrapOrbitDots(std::vector<SDL_Rect>& dots);

void drawOrbitDots(const std::vector<SDL_Rect>& dots);

// The phase of the next frame.
int advancePhase(int angle);
