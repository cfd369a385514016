#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "child_process.h"
#include "session.h"

// A private headless sway (wlroots) with no X server beside it, so that a program can only show
// its windows as a native Wayland client. Windows float at their own size, without borders.
// Keys come from one virtual keyboard with the standard keymap for the whole session
// (tests/support/wayland_keyboard.cpp), windows are found through sway's IPC (swaymsg, jq) and
// read back with grim. Run as root, sway runs as nobody (before 1.8 it refuses root); root's
// clients may still connect. The session's whole process group ends with the object. Where the
// system's SDL 1.2 is Debian's own, which speaks no Wayland, programs get the SDL2-based one.
class WaylandSession : public Session {
  public:
    // `scale`: the output's scale, as on a HiDPI display.
    explicit WaylandSession(int scale = 1);
    ~WaylandSession() override;
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    bool ready() const override { return keyboard != nullptr; }
    std::string startFailure() const override { return failure; }
    void killServer() override;
    std::vector<std::string> environment() const override;

    std::optional<WindowId> findWindow(int width, int height) override;
    // The window's pixels as the output shows them: at scale 2, twice its size.
    Screenshot capture(WindowId window) override;

    void pointAt(WindowId /*window*/) override {}
    [[nodiscard]] bool pressKey(const std::string& keysym) override;
    [[nodiscard]] bool releaseKey(const std::string& keysym) override;
    bool numLockOn() override;

    std::string windowName(WindowId window) override;
    bool windowsCarryIcons() const override { return false; }
    std::string iconName(WindowId /*window*/) override { return {}; }
    std::optional<unsigned long> iconCentre(WindowId /*window*/) override { return {}; }
    std::string applicationId(WindowId window) override;

  private:
    // Runs a command of the session's with its environment, and returns its standard output.
    std::string run(const std::string& command) const;
    // Whether grim can read the output, within a few seconds of the compositor's start.
    bool outputReadable() const;
    // The lines jq prints for `filter` over every node of sway's tree.
    std::string queryTree(const std::string& filter) const;
    // Sends one command to the keyboard and returns its answer's line, once it has come.
    std::string tellKeyboard(const std::string& command);

    std::string folder;
    std::string socket;
    std::string ipcSocket;
    std::unique_ptr<ChildProcess> compositor;
    std::unique_ptr<ChildProcess> keyboard;
    std::string failure;
    int commands = 0;
    std::map<WindowId, std::pair<int, int>> positions;
};
