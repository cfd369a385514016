// What the desktops share, POSIX and Windows alike.

#include "platform/platform.h"

std::uint32_t pixelShowing(const SDL_PixelFormat* /*format*/, std::uint32_t rgb) {
    return rgb;
}

void handKeyboardToWindow() {}

bool catchUpWithEvents() {
    SDL_Event waiting{};
    return SDL_PeepEvents(&waiting, 1, SDL_PEEKEVENT, SDL_QUITMASK) > 0;
}

bool windowHasIcon() {
    return true;
}

bool videoDriverChosen() {
    // As SDL itself reads it: on Windows SDL keeps an environment of its own.
    return SDL_getenv("SDL_VIDEODRIVER") != nullptr;
}

PadNumbering padNumbering() {
    return {-1, 6};
}

void startGamePads() {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0 && SDL_NumJoysticks() == 0) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
}

bool padMayHaveCome() {
    return false;
}
