#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "display_server.h"
#include "session.h"

// A private Xvfb server with no window manager, and a connection to it; or, where
// ORBITDOTS_X_FOLDER names the folder of a display-server fixture, that fixture's server, which
// the tests share: the session then leaves it as it found it, no key held, NumLock off and the
// game's window gone. Keys do not repeat on it.
class XSession : public WindowSession {
  public:
    XSession();
    ~XSession() override;
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ready() const override { return display != nullptr; }
    std::string startFailure() const override;
    // DISPLAY names this server; WAYLAND_DISPLAY is removed, so that no runtime looks elsewhere.
    std::vector<std::string> environment() const override;

    // The pointer moves into the window found: without a window manager the keyboard's input
    // goes where the pointer is.
    std::optional<WindowId> findWindow(int width, int height) override;
    Screenshot capture(WindowId window) override;

    // XTEST key events.
    [[nodiscard]] bool pressKey(const std::string& keysym) override {
        return sendKey(keysym, true);
    }
    [[nodiscard]] bool releaseKey(const std::string& keysym) override {
        return sendKey(keysym, false);
    }
    bool numLockOn() override;

    // WM_NAME, WM_ICON_NAME and the icon: the first picture in its _NET_WM_ICON, else the icon
    // pixmap in its WM_HINTS.
    WindowLabels labels(WindowId window) override;
    bool windowsCarryIcons() const override { return true; }

    // Only a server of its own.
    [[nodiscard]] bool killServer() override;

  private:
    void pointAt(Window window);
    bool sendKey(const std::string& keysym, bool press);
    std::string textProperty(Window window, Atom property);
    std::optional<unsigned long> netWmIconCentre(Window window);
    std::optional<unsigned long> iconPixmapCentre(Window window);

    std::unique_ptr<DisplayServer> server;
    std::string sharedDisplay;
    Display* display = nullptr;
    std::set<std::string> held;
};
