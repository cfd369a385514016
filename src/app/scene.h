#pragma once

#include <SDL.h>

#include <vector>

#include "coord.h"
#include "input.h"

// Milliseconds the frame loop pauses after each frame; the motion is tied to it.
constexpr Uint32 kFramePauseMs = 20;

// Exit status when the display went away while the window was open.
constexpr int kExitDisplayLost = 1;

// Everything the frame loop draws: the steered dot and the dots that orbit it.
struct Scene {
    // Needs the video mode set: the start position is checked against the surface's size.
    Scene(int x1, int y1, int DotNum);

    Coord player;
    SDL_Rect rtDot{};
    std::vector<SDL_Rect> dots;
    SDL_Rect rtCenter{};
    int angle = 0;
    // Set when a frame found that the display has gone away.
    bool displayLost = false;
};

// One frame: read the keys, move, draw and show. Returns false, before anything is drawn, when
// Escape is held, a stop signal has arrived, or the display has gone away (displayLost).
bool runFrame(Scene& scene, Input& input);

// Runs frames until the run ends, then shuts SDL down. Returns the exit status: 0, or
// kExitDisplayLost.
int runFrameLoop(Scene& scene, Input& input);
