#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "screenshot.h"
#include "session.h"

// A private Xvfb server with no window manager, and a connection to it. Keys do not repeat on it.
class XSession : public Session {
  public:
    XSession();
    ~XSession() override;
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ready() const override { return display != nullptr; }
    void killServer() override;
    // DISPLAY names this server; WAYLAND_DISPLAY is removed, so that no runtime looks elsewhere.
    std::vector<std::string> environment() const override;

    std::optional<WindowId> findWindow(int width, int height) override;
    Screenshot capture(WindowId window) override;

    // XTEST pointer and key events.
    void pointAt(WindowId window) override;
    [[nodiscard]] bool pressKey(const std::string& keysym) override;
    [[nodiscard]] bool releaseKey(const std::string& keysym) override;
    bool numLockOn() override;

    // WM_NAME and WM_ICON_NAME.
    std::string windowName(WindowId window) override;
    bool windowsCarryIcons() const override { return true; }
    std::string iconName(WindowId window) override;
    // Of the first picture in its _NET_WM_ICON, else of the icon pixmap in its WM_HINTS.
    std::optional<unsigned long> iconCentre(WindowId window) override;
    std::string applicationId(WindowId /*window*/) override { return {}; }

  private:
    bool sendKey(const std::string& keysym, bool press);
    std::string textProperty(Window window, Atom property);
    std::optional<unsigned long> netWmIconCentre(Window window);
    std::optional<unsigned long> iconPixmapCentre(Window window);

    std::unique_ptr<ChildProcess> server;
    std::string displayName;
    Display* display = nullptr;
};
