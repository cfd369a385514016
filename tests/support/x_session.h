#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

// A picture of a window: 0xRRGGBB per pixel, row by row.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned long> pixels;

    unsigned long at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    int count(unsigned long colour) const;
    // The top-left pixel of the given colour, scanning row by row, if there is one.
    std::optional<std::pair<int, int>> find(unsigned long colour) const;
};

// A private Xvfb server with no window manager, and a connection to it. The server ends with the
// object.
class XSession {
  public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ready() const { return display != nullptr; }
    // The value of DISPLAY for programs that are to use this server.
    const std::string& name() const { return displayName; }

    // A viewable top-level window of this size, if there is one now.
    std::optional<Window> findWindow(int width, int height);

    Screenshot capture(Window window);

    // Types through xdotool, as XTEST key and pointer events.
    void pointAt(Window window);
    void holdKey(const std::string& keysym, std::chrono::milliseconds period);

  private:
    void xdotool(const std::vector<std::string>& arguments);

    std::unique_ptr<ChildProcess> server;
    std::string displayName;
    Display* display = nullptr;
};
