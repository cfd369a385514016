#pragma once

#include <SDL.h>

#include "geometry/coord.h"
#include "input/game_pad.h"

// What one held arrow key adds to a velocity component per frame, 1 ... 30. A single value for
// the whole run: only Input::update changes it, and a new Input does not reset it.
extern int speed;

// Turns the keys held at each frame into the motion settings: velocity, speed, inertia, radius.
// Keys are read as levels, so a held key acts on every frame; a game pad's controls hold the same
// keys (game_pad.h).
class Input {
  public:
    // One frame of keyboard and pad handling. Returns 1 if Escape (or the pad's Back) is held,
    // otherwise 0; the other keys' effects are applied either way.
    int update();

    Coord getVelocity() const { return velocity; }

    // Whether the last update met a request to close the window (SDL's quit event), read or still
    // waiting. The game ignores the window's close button; SDL also asks to quit when the display
    // goes away, which the frame loop must tell apart.
    bool closeRequested() const { return closeAsked; }

    // true: the velocity persists between frames; false: each update starts from (0, 0).
    bool inertia = false;
    // Radius of the orbiting dots, 0 ... 200 pixels.
    int radius = 30;

  private:
    bool held(SDLKey key) const { return keys[key] != 0; }
    bool held(PadAction action) const { return pad.holds(action); }

    SDL_Event event{};
    bool closeAsked = false;
    Uint8* keys = nullptr;
    GamePad pad;
    Coord velocity;
};
