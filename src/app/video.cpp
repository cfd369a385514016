#include "video.h"

#include <SDL.h>

#include <ostream>

#include "console_text.h"
#include "platform.h"
#include "playfield.h"
#include "window_icon.h"

namespace {

// What the title bar, the task bar and the window list show.
constexpr const char* kWindowTitle = "orbitdots";

bool reportVideoFailure(std::ostream& err, Text what) {
    err << consoleText(what) << SDL_GetError() << std::endl;
    SDL_Quit();
    return false;
}

}  // namespace

bool startVideo(std::ostream& err) {
    prepareSdlEnvironment();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return reportVideoFailure(err, Text::VideoInitFailed);
    }
    SDL_WM_SetCaption(kWindowTitle, kWindowTitle);
    setWindowIcon();
    screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenBitsPerPixel,
                              SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == nullptr) {
        return reportVideoFailure(err, Text::VideoModeFailed);
    }
    return true;
}
