#pragma once

#include <SDL.h>

#include <vector>

#include "coord.h"
#include "input.h"

// Milliseconds the frame loop pauses after each frame; the motion is tied to it.
constexpr Uint32 kFramePauseMs = 20;

// Everything the frame loop draws: the steered dot and the dots that orbit it.
struct Scene {
    // Needs the video mode set: the start position is checked against the surface's size.
    Scene(int x1, int y1, int DotNum);

    Coord player;
    SDL_Rect rtDot{};
    std::vector<SDL_Rect> dots;
    SDL_Rect rtCenter{};
    int angle = 0;
};

// One frame: read the keys, move, draw and show. Returns false, before anything is drawn, when
// Escape is held or a stop signal has arrived.
bool runFrame(Scene& scene, Input& input);

// Runs frames until the run ends, then shuts SDL down. Returns the exit status, 0.
int runFrameLoop(Scene& scene, Input& input);
