#pragma once

#include <string>
#include <vector>

#include "session.h"

// The desktops' pad: a named pipe of the Linux joystick's js_event records. SDL 1.2's own runtime
// reads the pipe as a joystick device (SDL_JOYSTICK_DEVICE), its d-pad as the two axes after the
// stick's (SDL_LINUX_JOYSTICK); on the SDL2-based runtime, which reads no pipe, a library
// preloaded into the program (pad_preload.cpp) feeds a virtual SDL 2 pad from it.
class PipePad : public Pad {
  public:
    PipePad();
    ~PipePad() override;
    PipePad(const PipePad&) = delete;
    PipePad& operator=(const PipePad&) = delete;

    std::vector<std::string> environment() const override;
    [[nodiscard]] bool hold(const std::string& control, bool held) override;

  private:
    std::string folder;
    std::string pipe;
    int writer = -1;
};
