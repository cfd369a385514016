#pragma once

#include <cstdlib>
#include <string>

// The suites run once per SDL 1.2 runtime the system has: on the system's own, and where that is
// the classic one, once more on the SDL2-based one, chosen through the library path (which the
// program under test inherits). Whether this run asks for the SDL2-based one.
inline bool sdl2BasedRuntimeAsked() {
    const char* path = std::getenv("LD_LIBRARY_PATH");
    return ORBITDOTS_SYSTEM_SDL_IS_COMPAT == 1 ||
           (path != nullptr && std::string(path).find("sdl12-compat") != std::string::npos);
}
