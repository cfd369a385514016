#pragma once

#include <SDL.h>
#include <dlfcn.h>

// An Xbox-style pad that SDL 2 (SDL 3's, through sdl2-compat, on newer releases) has only in
// memory: the SDL2-based SDL 1.2 runtime sees it as a real pad, through SDL's own joystick code.
// It must be attached before SDL 1.2 starts, which copies SDL 2's pads as it starts and gives
// them up as it ends.
class VirtualPad {
  public:
    // The SDL 2 that the runtime loads itself takes the pad: not where the runtime is the classic
    // one.
    VirtualPad() : sdl2(dlopen("libSDL2-2.0.so.0", RTLD_NOW)) {
        if (sdl2 != nullptr) {
            device = call<int, int, int, int, int>("SDL_JoystickAttachVirtual", 1, 6, 11, 1);
        }
    }
    bool attached() const { return device >= 0; }

    // Once SDL 1.2 has started: a state as the pad's own driver reports it.
    void setAxis(int axis, Sint16 value) {
        call<int, void*, int, Sint16>("SDL_JoystickSetVirtualAxis", handle(), axis, value);
    }
    void setButton(int button, bool pressed) {
        call<int, void*, int, Uint8>("SDL_JoystickSetVirtualButton", handle(), button, pressed);
    }
    void setHat(Uint8 hat) {
        call<int, void*, int, Uint8>("SDL_JoystickSetVirtualHat", handle(), 0, hat);
    }
    // As a player pulls the pad's cable.
    void unplug() {
        call<int, int>("SDL_JoystickDetachVirtual", device);
        device = -1;
    }

  private:
    template <typename Result, typename... Parameters>
    Result call(const char* function, Parameters... arguments) {
        return reinterpret_cast<Result (*)(Parameters...)>(dlsym(sdl2, function))(arguments...);
    }
    void* handle() {
        joystick = joystick != nullptr ? joystick : call<void*, int>("SDL_JoystickOpen", device);
        return joystick;
    }

    void* sdl2;
    int device = -1;
    void* joystick = nullptr;
};
