#include "pipe_pad.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "sdl_runtime.h"

namespace {

struct Control {
    const char* name;
    __u8 type;
    __u8 number;
    __s16 value;
};
constexpr Control kControls[] = {
    {"dpad-right", JS_EVENT_AXIS, 2, 32767},
    {"stick-up", JS_EVENT_AXIS, 1, -32767},
    {"back", JS_EVENT_BUTTON, 6, 1},
};

}  // namespace

PipePad::PipePad() {
    char name[] = "/tmp/orbitdots-pad-XXXXXX";
    if (mkdtemp(name) != nullptr) {
        folder = name;
        pipe = folder + "/js0";
        // Read and write: the pipe stays open for SDL's reads, and opening it waits for nobody.
        if (mkfifo(pipe.c_str(), 0600) == 0) {
            writer = open(pipe.c_str(), O_RDWR | O_CLOEXEC);
        }
    }
}

PipePad::~PipePad() {
    if (writer >= 0) {
        close(writer);
    }
    unlink(pipe.c_str());
    rmdir(folder.c_str());
}

std::vector<std::string> PipePad::environment() const {
    const char* preload = std::getenv("ORBITDOTS_PAD_PRELOAD");
    std::vector<std::string> environment{"LD_PRELOAD=" + std::string(preload ? preload : "")};
    if (sdl2BasedRuntimeAsked()) {
        environment.push_back("ORBITDOTS_TEST_PAD=" + pipe);
    } else {
        environment.insert(environment.end(), {"SDL_JOYSTICK_DEVICE=" + pipe,
                                               "SDL_LINUX_JOYSTICK='" + pipe + "' 2 1 0"});
    }
    return environment;
}

bool PipePad::hold(const std::string& control, bool held) {
    const auto* known = std::find_if(std::begin(kControls), std::end(kControls),
                                     [&control](const Control& it) { return control == it.name; });
    if (known == std::end(kControls)) {
        return false;
    }
    const js_event event{0, static_cast<__s16>(held ? known->value : 0), known->type,
                         known->number};
    return write(writer, &event, sizeof event) == sizeof event;
}
