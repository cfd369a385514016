#include "virtual_pad.h"

#include <dlfcn.h>

namespace {

// SDL 2's own functions, from the library the SDL2-based runtime loads itself.
template <typename Function>
Function* sdl2Function(void* library, const char* name) {
    return library != nullptr ? reinterpret_cast<Function*>(dlsym(library, name)) : nullptr;
}

constexpr int kGameController = 1;  // SDL_JOYSTICK_TYPE_GAMECONTROLLER
constexpr int kAxes = 6;            // the sticks and the triggers
constexpr int kButtons = 11;        // as Linux numbers an Xbox-style pad's
constexpr int kHats = 1;

}  // namespace

VirtualPad::VirtualPad() : sdl2(dlopen("libSDL2-2.0.so.0", RTLD_NOW)) {
    if (auto* attach = sdl2Function<int(int, int, int, int)>(sdl2, "SDL_JoystickAttachVirtual")) {
        device = attach(kGameController, kAxes, kButtons, kHats);
    }
}

void* VirtualPad::handle() {
    if (joystick == nullptr && attached()) {
        joystick = sdl2Function<void*(int)>(sdl2, "SDL_JoystickOpen")(device);
    }
    return joystick;
}

void VirtualPad::setAxis(int axis, Sint16 value) {
    sdl2Function<int(void*, int, Sint16)>(sdl2, "SDL_JoystickSetVirtualAxis")(handle(), axis,
                                                                              value);
}

void VirtualPad::setButton(int button, bool pressed) {
    sdl2Function<int(void*, int, Uint8)>(sdl2, "SDL_JoystickSetVirtualButton")(handle(), button,
                                                                               pressed ? 1 : 0);
}

void VirtualPad::setHat(Uint8 hat) {
    sdl2Function<int(void*, int, Uint8)>(sdl2, "SDL_JoystickSetVirtualHat")(handle(), 0, hat);
}

void VirtualPad::unplug() {
    sdl2Function<int(int)>(sdl2, "SDL_JoystickDetachVirtual")(device);
    device = -1;
    joystick = nullptr;
}
