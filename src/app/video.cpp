#include "app/video.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/window_icon.h"
#include "common/console_text.h"
#include "common/playfield.h"
#include "platform/platform.h"

namespace {

// What the title bar, the task bar and the window list show.
constexpr const char* kWindowTitle = "orbitdots";

// The video drivers that show no window: SDL 1.2's own draws the picture as letters in the
// terminal (aalib, caca), where the 2 x 2 dot cannot be seen, and the SDL2-based runtime draws it
// nowhere (offscreen, dummy). SDL falls back on them when it finds no display: unless the user
// asked for one, a run on them is no run at all.
constexpr std::array<std::string_view, 4> kNoWindowDrivers = {"aalib", "caca", "dummy",
                                                              "offscreen"};

// Why the window could not be opened: the console text that says what failed, and the reason.
struct VideoFailure {
    Text what;
    std::string reason;
};

std::string videoDriverName() {
    std::array<char, 64> name{};
    return SDL_VideoDriverName(name.data(), static_cast<int>(name.size())) != nullptr
               ? std::string(name.data())
               : std::string();
}

// SDL's reason, or, where it gives none, which video driver tried.
VideoFailure failure(Text what) {
    std::string reason = SDL_GetError();
    if (reason.empty()) {
        reason = consoleText(Text::NoReasonGiven) + videoDriverName();
    }
    return {what, reason};
}

bool noWindowDriverFound() {
    if (videoDriverChosen()) {
        return false;
    }
    const std::string driver = videoDriverName();
    return std::any_of(
        kNoWindowDrivers.begin(), kNoWindowDrivers.end(),
        [&driver](std::string_view noWindowDriver) { return driver == noWindowDriver; });
}

// Starts SDL video and sets the mode. On failure SDL may be left started.
std::optional<VideoFailure> openWindow() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return failure(Text::VideoInitFailed);
    }
    startGamePads();
    if (noWindowDriverFound()) {
        return VideoFailure{Text::VideoInitFailed,
                            consoleText(Text::NoWindowDriver) + videoDriverName()};
    }
    SDL_WM_SetCaption(kWindowTitle, kWindowTitle);
    if (windowHasIcon()) {
        setWindowIcon();
    }
    // Only what setting the mode itself reports is its reason.
    SDL_ClearError();
    screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenBitsPerPixel,
                              SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == nullptr) {
        return failure(Text::VideoModeFailed);
    }
    handKeyboardToWindow();
    return std::nullopt;
}

}  // namespace

bool displayGone() {
    if (videoDriverName() != "wayland") {
        return false;
    }
    // A compositor that is ending closes its connection with the program before its socket
    // refuses others: SDL may tell of the one while the other still takes connections. Drawing
    // on after that crashes in the EGL library, so the socket is looked at again for a while.
    constexpr int kLooks = 20;
    constexpr Uint32 kLookInterval = 10;  // ms
    for (int look = 1; look < kLooks; ++look) {
        if (waylandCompositorGone()) {
            return true;
        }
        SDL_Delay(kLookInterval);
    }
    return waylandCompositorGone();
}

bool startVideo(std::ostream& err) {
    const bool presentationChosenHere = prepareSdlEnvironment();
    std::optional<VideoFailure> failed = openWindow();
    if (failed && failed->what == Text::VideoModeFailed && presentationChosenHere) {
        // SDL 3 has no framebuffer of its own for a Wayland window: there, only the way SDL
        // chooses itself can show frames.
        stopVideo();
        leaveFramePresentationToSdl();
        failed = openWindow();
    }
    if (failed) {
        err << consoleText(failed->what) << failed->reason << std::endl;
        stopVideo();
        return false;
    }
    return true;
}

void stopVideo() {
    SDL_Quit();
    screen = nullptr;
}
