#pragma once

#include <iosfwd>

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kScreenBitsPerPixel = 32;

// Starts SDL video and sets the 800 x 600 x 32 mode into `screen`, in a window titled
// "orbitdots" that carries the game's icon. On Linux the SDL2-based runtime is first asked to
// present frames in software (SDL_RENDER_DRIVER=software, SDL_FRAMEBUFFER_ACCELERATION=0) unless
// the environment says otherwise; where that cannot show a window (Wayland under SDL 3), SDL's
// own way is tried next. A driver that shows no window (one that draws in the terminal, say)
// counts as no display unless the user chose it (SDL_VIDEODRIVER). Once the window is open it
// has the keyboard. On failure writes one line to `err` with SDL's reason, or the video driver
// when SDL gives none, shuts SDL down and returns false.
bool startVideo(std::ostream& err);

// Shuts SDL down, which closes the window and ends the surface in `screen`.
void stopVideo();

// Whether the display that the window is on has gone away. Only asked after SDL's request to
// quit, which is how SDL tells of it on Wayland; Xlib ends the program itself when an X server
// goes away. On Wayland it may take up to 200 ms to be sure that the compositor stays.
bool displayGone();
