// The desktops' pad: a named pipe of the Linux joystick's js_event records. SDL 1.2's own runtime
// reads the pipe as a joystick device (SDL_JOYSTICK_DEVICE), its d-pad as the two axes after the
// stick's (SDL_LINUX_JOYSTICK); on the SDL2-based runtime, which reads no pipe, a library
// preloaded into the program (pad_preload.cpp) feeds a virtual SDL 2 pad from it.
#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "sdl_runtime.h"
#include "session.h"

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

class PipePad : public Pad {
  public:
    PipePad() {
        char name[] = "/tmp/orbitdots-pad-XXXXXX";
        folder = mkdtemp(name) != nullptr ? name : "";
        pipe = folder + "/js0";
        // Read and write: the pipe stays open for SDL's reads, and opening it waits for nobody.
        writer = mkfifo(pipe.c_str(), 0600) == 0 ? open(pipe.c_str(), O_RDWR | O_CLOEXEC) : -1;
    }
    ~PipePad() override {
        close(writer);
        unlink(pipe.c_str());
        rmdir(folder.c_str());
    }
    PipePad(const PipePad&) = delete;
    PipePad& operator=(const PipePad&) = delete;

    std::vector<std::string> environment() const override {
        const char* preload = std::getenv("ORBITDOTS_PAD_PRELOAD");
        const std::string preloaded = "LD_PRELOAD=" + std::string(preload ? preload : "");
        if (sdl2BasedRuntimeAsked()) {
            return {preloaded, "ORBITDOTS_TEST_PAD=" + pipe};
        }
        return {preloaded, "SDL_JOYSTICK_DEVICE=" + pipe,
                "SDL_LINUX_JOYSTICK='" + pipe + "' 2 1 0"};
    }

    bool hold(const std::string& control, bool held) override {
        const auto* known =
            std::find_if(std::begin(kControls), std::end(kControls),
                         [&control](const Control& it) { return control == it.name; });
        if (known == std::end(kControls)) {
            return false;
        }
        const js_event event{0, static_cast<__s16>(held ? known->value : 0), known->type,
                             known->number};
        return write(writer, &event, sizeof event) == sizeof event;
    }

  private:
    std::string folder;
    std::string pipe;
    int writer;
};

}  // namespace

std::unique_ptr<Pad> WindowSession::plugInPad() {
    return std::make_unique<PipePad>();
}
