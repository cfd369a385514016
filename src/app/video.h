#pragma once

#include <iosfwd>

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kScreenBitsPerPixel = 32;

// Starts SDL video and sets the 800 x 600 x 32 mode into `screen`, in a window titled
// "orbitdots" that carries the game's icon. Before that, on Linux the SDL2-based runtime is asked
// to present frames in software (SDL_RENDER_DRIVER=software, SDL_FRAMEBUFFER_ACCELERATION=0)
// unless the environment says otherwise. On failure writes one line with SDL's reason to `err`,
// shuts SDL down and returns false.
bool startVideo(std::ostream& err);
