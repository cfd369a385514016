#pragma once

#include <SDL.h>

#include <vector>

#include "geometry/coord.h"
#include "input/input.h"

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

// What a frame did: it was shown, or, before anything was drawn, it found the run ended (Escape
// held, or a stop requested) or the display gone.
enum class FrameOutcome { Shown, RunEnded, DisplayLost };

// One frame: read the keys, move, draw and show.
FrameOutcome runFrame(Scene& scene, Input& input);

// Runs frames, pausing after each, until one is not shown; returns why.
FrameOutcome runFrameLoop(Scene& scene, Input& input);
