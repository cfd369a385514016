#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "screenshot.h"

// A private Xvfb server with no window manager, and a connection to it. The server ends with the
// object. Keys do not repeat on it: a held key stays one press, as the frame loop reads it.
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

    // Whether a window of this size is still there after `timeout`: a client's windows go away
    // once the server has noticed that the client ended.
    bool windowRemains(int width, int height, std::chrono::milliseconds timeout);

    // XTEST pointer and key events. Each returns once the server has handled the event, so the
    // program's next look at its events finds it. False if the server has no such key.
    void pointAt(Window window);
    [[nodiscard]] bool pressKey(const std::string& keysym);
    [[nodiscard]] bool releaseKey(const std::string& keysym);

    // Whether NumLock is on: the keypad then sends digits.
    bool numLockOn();

    // The window's name (WM_NAME) and icon name (WM_ICON_NAME); empty where it has none.
    std::string windowName(Window window);
    std::string iconName(Window window);
    // The colour (0xRRGGBB) at the centre of the window's icon: of the first picture in its
    // _NET_WM_ICON, else of the icon pixmap in its WM_HINTS; nothing if it has neither.
    std::optional<unsigned long> iconCentre(Window window);

  private:
    bool sendKey(const std::string& keysym, bool press);
    std::string textProperty(Window window, Atom property);
    std::optional<unsigned long> netWmIconCentre(Window window);
    std::optional<unsigned long> iconPixmapCentre(Window window);

    std::unique_ptr<ChildProcess> server;
    std::string displayName;
    Display* display = nullptr;
};
