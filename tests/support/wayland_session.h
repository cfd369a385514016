#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "child_process.h"
#include "display_server.h"
#include "session.h"

// A private headless sway (wlroots) with no X server beside it, so that a program can only show
// its windows as a native Wayland client. Keys come from one virtual keyboard with the standard
// keymap for the whole session (tests/support/wayland_keyboard.cpp, ORBITDOTS_WAYLAND_KEYBOARD),
// windows are found through sway's IPC (swaymsg, jq) and read back with grim.
class WaylandSession : public WindowSession {
  public:
    // `scale`: the output's scale, as on a HiDPI display.
    explicit WaylandSession(int scale = 1);

    bool ready() const override { return keyboard != nullptr; }
    std::string startFailure() const override { return failure; }
    std::vector<std::string> environment() const override { return server.environment(); }

    std::optional<WindowId> findWindow(int width, int height) override;
    // The window's pixels as the output shows them: at scale 2, twice its size.
    Screenshot capture(WindowId window) override;

    [[nodiscard]] bool pressKey(const std::string& keysym) override;
    [[nodiscard]] bool releaseKey(const std::string& keysym) override;
    bool numLockOn() override;

    // The title and the application's id.
    WindowLabels labels(WindowId window) override;
    bool windowsCarryIcons() const override { return false; }

    [[nodiscard]] bool killServer() override;

  private:
    // Runs a command of the session's with its environment, and returns its standard output.
    std::string run(const std::string& command) const;
    // The lines jq prints for `filter` over every node of sway's tree.
    std::string queryTree(const std::string& filter) const;
    // The one line jq prints for `field` of the window.
    std::string windowField(WindowId window, const std::string& field) const;
    // Sends one command to the keyboard and returns its answer's line, once it has come.
    std::string tellKeyboard(const std::string& command);

    DisplayServer server;
    // Ends before the server it types into.
    std::unique_ptr<ChildProcess> keyboard;
    std::string failure;
    int commands = 0;
    std::map<WindowId, std::pair<int, int>> positions;
};
