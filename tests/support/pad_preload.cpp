// Preloaded into the program under test where a real-window test plugs in a desktop's pad
// (pipe_pad.cpp). It answers what a named pipe cannot: how many buttons and axes the joystick
// has, as for an Xbox-style pad. And where ORBITDOTS_TEST_PAD names the pipe (the SDL2-based
// runtime, which reads no pipe) it feeds a virtual SDL 2 pad from it.
#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>
#include <string>
#include <thread>

#include "virtual_pad.h"

namespace {

// The d-pad's two axes (after the stick's) as a hat, as SDL 1.2 reads them from the pipe.
void feed(VirtualPad* pad, const std::string& pipe) {
    const int fd = open(pipe.c_str(), O_RDONLY | O_CLOEXEC);
    js_event event{};
    int dpad[2] = {0, 0};
    while (fd >= 0 && read(fd, &event, sizeof event) == sizeof event) {
        if (event.type == JS_EVENT_BUTTON) {
            pad->setButton(event.number, event.value != 0);
        } else if (event.number < 2) {
            pad->setAxis(event.number, event.value);
        } else {
            dpad[event.number % 2] = event.value;
            pad->setHat(static_cast<Uint8>(
                (dpad[0] > 0 ? SDL_HAT_RIGHT : 0) | (dpad[0] < 0 ? SDL_HAT_LEFT : 0) |
                (dpad[1] > 0 ? SDL_HAT_DOWN : 0) | (dpad[1] < 0 ? SDL_HAT_UP : 0)));
        }
    }
}

// Before the program's SDL starts.
__attribute__((constructor)) void plugInVirtualPad() {
    if (const char* pipe = std::getenv("ORBITDOTS_TEST_PAD")) {
        std::thread(feed, new VirtualPad, std::string(pipe)).detach();
    }
}

}  // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    struct stat status {};
    if ((request == JSIOCGBUTTONS || request == JSIOCGAXES) && fstat(fd, &status) == 0 &&
        S_ISFIFO(status.st_mode)) {
        *static_cast<unsigned char*>(argument) = request == JSIOCGBUTTONS ? 11 : 2;
        return 0;
    }
    using Ioctl = int (*)(int, unsigned long, void*);
    static const auto next = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
    return next(fd, request, argument);
}
