#pragma once

// emscripten's SDL implements SDL 1.2's SDL_GetKeyState, but its headers (SDL 1.3's) do not
// declare it: the web build hands this header to every source.
#include <SDL.h>

extern "C" Uint8* SDL_GetKeyState(int* numkeys);
