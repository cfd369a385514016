#include "video.h"

#include <SDL.h>

#include <cstdlib>
#include <ostream>

#include "console_text.h"
#include "playfield.h"

namespace {

// The SDL2-based SDL 1.2 runtime shows every frame through an SDL2 renderer, and by default both
// that renderer and the window's framebuffer go through OpenGL; without a GPU that OpenGL is
// rasterised on the CPU and costs more than the whole frame step. Copying the surface into the
// X server's shared-memory framebuffer is all this program needs. Debian's own SDL 1.2 reads
// neither variable. A value the user has set is kept.
void preferSoftwarePresentation() {
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
}

bool reportVideoFailure(std::ostream& err, Text what) {
    err << consoleText(what) << SDL_GetError() << std::endl;
    SDL_Quit();
    return false;
}

}  // namespace

bool startVideo(std::ostream& err) {
    preferSoftwarePresentation();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return reportVideoFailure(err, Text::VideoInitFailed);
    }
    screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenBitsPerPixel,
                              SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == nullptr) {
        return reportVideoFailure(err, Text::VideoModeFailed);
    }
    return true;
}
