#pragma once

#include <SDL.h>

// An Xbox-style pad that SDL 2 (SDL 3's, through sdl2-compat, on newer releases) has only in
// memory: the SDL2-based SDL 1.2 runtime sees it as a real pad, through SDL's own joystick code.
// Attached in this process before SDL 1.2 starts, which copies SDL 2's list of pads as it starts
// and gives them up as it ends.
class VirtualPad {
  public:
    VirtualPad();
    // Whether SDL 2 took the pad: not where the runtime is SDL 1.2's own.
    bool attached() const { return device >= 0; }

    // The pad's state, once SDL 1.2 has started.
    void setAxis(int axis, Sint16 value);
    void setButton(int button, bool pressed);
    void setHat(Uint8 hat);
    // As a player pulls the pad's cable.
    void unplug();

  private:
    void* handle();

    void* sdl2 = nullptr;
    int device = -1;
    void* joystick = nullptr;
};
