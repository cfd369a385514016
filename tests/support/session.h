#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "screenshot.h"

// A window of a session, as the session names it.
using WindowId = unsigned long;

// A private desktop session for the real-window tests, with no user's settings: an X server
// (XSession), or a Wayland compositor (WaylandSession). It ends with the object. Keys pressed in
// it do not repeat: a held key stays one press, as the frame loop reads it.
class Session {
  public:
    Session() = default;
    virtual ~Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    virtual bool ready() const = 0;
    // Why the session is not ready, in its server's own words where it has any.
    virtual std::string startFailure() const { return {}; }
    // Ends the display server at once, as when a session crashes. Nothing else may be asked of
    // the session then.
    virtual void killServer() = 0;
    // What a program needs in its environment to show its windows in this session
    // ("NAME=value", or "NAME" to remove a variable).
    virtual std::vector<std::string> environment() const = 0;

    // A visible top-level window of this size, if there is one now.
    virtual std::optional<WindowId> findWindow(int width, int height) = 0;
    virtual Screenshot capture(WindowId window) = 0;
    // Whether a window of this size is still there after `timeout`: a client's windows go away
    // once the session has noticed that the client ended.
    bool windowRemains(int width, int height, std::chrono::milliseconds timeout);

    // Gives the window the keyboard's input, where the session does not already.
    virtual void pointAt(WindowId window) = 0;
    // Each returns once the session has handled the key, so the program's next look at its
    // events finds it. False if the session has no such key. Keys are named as X names their
    // symbols: "Right", "KP_Add", "Prior", ...
    [[nodiscard]] virtual bool pressKey(const std::string& keysym) = 0;
    [[nodiscard]] virtual bool releaseKey(const std::string& keysym) = 0;
    // Whether NumLock is on: the keypad then sends digits.
    virtual bool numLockOn() = 0;

    // The window's title; empty where it has none.
    virtual std::string windowName(WindowId window) = 0;
    // Whether windows carry icons here: X windows do, Wayland's carry the application's id
    // instead, and desktops find the icon through it.
    virtual bool windowsCarryIcons() const = 0;
    // The window's icon name; empty where it has none.
    virtual std::string iconName(WindowId window) = 0;
    // The colour (0xRRGGBB) at the centre of the window's icon, if it has one.
    virtual std::optional<unsigned long> iconCentre(WindowId window) = 0;
    // The application's id that a Wayland window carries; empty where there is none.
    virtual std::string applicationId(WindowId window) = 0;
};

// The session the test run asks for: the web page in a browser where ORBITDOTS_BROWSER names one,
// Wayland where ORBITDOTS_SESSION is "wayland", X otherwise.
// `scale`: a Wayland output's scale, as on a HiDPI display; X has none.
std::unique_ptr<Session> startSession(int scale = 1);
