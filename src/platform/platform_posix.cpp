#include <iconv.h>
#include <langinfo.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace {

volatile std::sig_atomic_t stopSignalled = 0;

// A setting of SDL's environment that the program makes unless the user has, and may take back.
struct DefaultSetting {
    const char* name;
    const char* value;
    bool madeHere;
};

DefaultSetting renderDriver{"SDL_RENDER_DRIVER", "software", false};
DefaultSetting framebufferAcceleration{"SDL_FRAMEBUFFER_ACCELERATION", "0", false};

void makeUnlessSet(DefaultSetting& setting) {
    setting.madeHere = std::getenv(setting.name) == nullptr;
    if (setting.madeHere) {
        setenv(setting.name, setting.value, 1);
    }
}

void takeBack(DefaultSetting& setting) {
    if (setting.madeHere) {
        unsetenv(setting.name);
        setting.madeHere = false;
    }
}

// Where it finds no display, SDL 1.2's own runtime falls back on drawing letters into the
// terminal through libcaca, a fallback the program refuses; but by then libcaca has taken the
// terminal over: set its title, switched to the alternate screen and turned mouse reporting on,
// and its tear-down does not give the title back. With no driver named, libcaca gets its null
// output, which touches nothing. A driver the user names (caca included) is left alone.
void keepTheTerminalFromTextDrivers() {
    if (std::getenv("SDL_VIDEODRIVER") == nullptr) {
        setenv("CACA_DRIVER", "null", 1);
    }
}

extern "C" void onStopSignal(int /*signal*/) {
    stopSignalled = 1;
}

void setStopHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

std::string consoleCodeset() {
    // A locale the system does not know leaves the C locale in force, and with it UTF-8.
    static_cast<void>(std::setlocale(LC_ALL, ""));
    return nl_langinfo(CODESET);
}

std::optional<std::string> utf8ToCp949(std::string_view utf8) {
    iconv_t converter = iconv_open("CP949", "UTF-8");
    // iconv_open reports failure with the address -1.
    if (converter == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
        return std::nullopt;
    }
    std::string input(utf8);
    std::string output(input.size() * 2 + 1, '\0');
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    output.resize(output.size() - outLeft);
    return output;
}

void prepareConsoleStreams(TextEncoding /*texts*/) {}

void installStopHandlers() {
    stopSignalled = 0;
    setStopHandler(onStopSignal);
}

void restoreDefaultStopHandlers() {
    setStopHandler(SIG_DFL);
}

bool stopRequested() {
    return stopSignalled != 0;
}

bool waylandCompositorGone() {
    // Where the Wayland client library looks for the compositor: WAYLAND_DISPLAY, a socket's
    // path or its name in XDG_RUNTIME_DIR, "wayland-0" when it is unset or empty.
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const char* runtimeFolder = std::getenv("XDG_RUNTIME_DIR");
    std::string path = name != nullptr && *name != '\0' ? name : "wayland-0";
    if (path.front() != '/') {
        if (runtimeFolder == nullptr) {
            return false;
        }
        path = std::string(runtimeFolder) + "/" + path;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0) {
        return false;
    }
    const bool refused =
        connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        (errno == ECONNREFUSED || errno == ENOENT);
    close(probe);
    return refused;
}

bool prepareSdlEnvironment() {
    // On a desktop that scales windows up (HiDPI), the SDL2-based runtime would smooth the
    // picture and grey the dots' edges: every pixel of the game stays a sharp block instead.
    // And the window keeps its 800 x 600 as the desktop counts it: over SDL 3, Wayland windows
    // would otherwise be sized in the display's pixels, half as large at scale 2.
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
    setenv("SDL_VIDEO_WAYLAND_SCALE_TO_DISPLAY", "0", 0);
    // A pad's buttons keep the numbers the Linux joystick driver gives them, as in SDL 1.2's own
    // runtime: SDL 2's and SDL 3's drivers for pads they know (HIDAPI) and sdl12-compat's
    // game-controller mode would renumber them.
    setenv("SDL_JOYSTICK_HIDAPI", "0", 0);
    setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "0", 0);
    // The SDL2-based SDL 1.2 runtime shows every frame through an SDL2 renderer, and by default
    // both that renderer and the window's framebuffer go through OpenGL; without a GPU that
    // OpenGL is rasterised on the CPU and costs more than the whole frame step. Copying the
    // surface into the X server's shared-memory framebuffer is all this program needs. Debian's
    // own SDL 1.2 reads none of these variables.
    makeUnlessSet(renderDriver);
    makeUnlessSet(framebufferAcceleration);
    keepTheTerminalFromTextDrivers();
    return renderDriver.madeHere || framebufferAcceleration.madeHere;
}

void leaveFramePresentationToSdl() {
    takeBack(renderDriver);
    takeBack(framebufferAcceleration);
}
