#pragma once

#include <SDL.h>

#include "platform/platform.h"

// What a game pad's controls do: each holds one of the game's keys.
enum class PadAction {
    Up,
    Down,
    Left,
    Right,
    Faster,
    Slower,
    InertiaOff,
    InertiaOn,
    Wider,
    Narrower,
    End
};

// The first game pad that opens, read as a level each frame like the keys: the d-pad and the
// left stick are the arrows, the face and shoulder buttons the keys that set the motion, Back (or
// Select) is Escape. With no pad every action stays released.
class GamePad {
  public:
    // Reads the pad's state for this frame, opening a pad first if none is open yet and there
    // may be one now. SDL must be started, with its joystick; the pad is SDL's, which closes it
    // as it ends.
    void update();
    bool holds(PadAction action) const { return (held & bit(action)) != 0; }

  private:
    static unsigned bit(PadAction action) { return 1U << static_cast<unsigned>(action); }
    void open();
    bool pressed(int button) const { return SDL_JoystickGetButton(joystick, button) != 0; }
    Uint8 dpad(const PadNumbering& numbering) const;
    // What the pad holds now, as bits of PadAction.
    unsigned readActions() const;

    SDL_Joystick* joystick = nullptr;
    bool scanned = false;
    unsigned held = 0;
};
