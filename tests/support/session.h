#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "screenshot.h"

// A desktop session for the real-window tests, with no user's settings: an X server, a Wayland
// compositor, GNOME's, or a browser with the web page. Most are the test's own and end with the
// object; the X server of Wine's desktop and the browsers are fixtures', shared by the tests, and
// a session on one leaves it as it found it.
class Session {
  public:
    Session() = default;
    virtual ~Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    virtual bool ready() const = 0;
    // Why the session is not ready, in its server's own words.
    virtual std::string startFailure() const = 0;
    // What a program needs in its environment to show its windows in this session
    // ("NAME=value", or "NAME" to remove a variable).
    virtual std::vector<std::string> environment() const = 0;
};

// A game pad for the program under test, faked below it. Its controls are held as keys are:
// "dpad-right", "stick-up", "back".
class Pad {
  public:
    virtual ~Pad() = default;
    // What the program needs in its environment to find the pad ("NAME=value").
    virtual std::vector<std::string> environment() const = 0;
    // Returns once the pad the program reads holds the control so; false if it has no such one.
    [[nodiscard]] virtual bool hold(const std::string& control, bool held) = 0;
};

// A window of a session, as the session names it.
using WindowId = unsigned long;

// What a window is known by on the desktop.
struct WindowLabels {
    std::string title;
    // X's icon name and the colour (0xRRGGBB) at the centre of the window's icon, where windows
    // carry icons.
    std::string iconName;
    std::optional<unsigned long> iconCentre;
    // The application's id, through which desktops find the icon where windows carry none.
    std::string applicationId;
};

// A session whose windows the tests can find, read and type into: X (XSession), Wayland
// (WaylandSession), the page in a browser (BrowserSession). Keys pressed in it do not repeat: a
// held key stays one press, as the frame loop reads it.
class WindowSession : public Session {
  public:
    // A visible top-level window of this size, if there is one now; it gets the keyboard.
    virtual std::optional<WindowId> findWindow(int width, int height) = 0;
    virtual Screenshot capture(WindowId window) = 0;
    // Whether a window of this size is still there after `timeout`: a client's windows go away
    // once the session has noticed that the client ended.
    bool windowRemains(int width, int height, std::chrono::milliseconds timeout);

    // Each returns once the session has handled the key, so the program's next look at its
    // events finds it. False if the session has no such key. Keys are named as X names their
    // symbols: "Right", "KP_Add", "Prior", ...
    [[nodiscard]] virtual bool pressKey(const std::string& keysym) = 0;
    [[nodiscard]] virtual bool releaseKey(const std::string& keysym) = 0;
    // Whether NumLock is on: the keypad then sends digits.
    virtual bool numLockOn() = 0;

    virtual WindowLabels labels(WindowId window) = 0;
    // Whether windows carry icons here: X windows do; Wayland's and the page's carry the
    // application's id instead.
    virtual bool windowsCarryIcons() const = 0;

    // A pad for the program started after this: on the desktops a named pipe that SDL reads as
    // a joystick device (pipe_pad.cpp), in the browser a fake in the page.
    virtual std::unique_ptr<Pad> plugInPad();

    // Ends the display server at once, as when a session crashes; false where the session cannot.
    // Nothing else may be asked of the session then.
    [[nodiscard]] virtual bool killServer() = 0;
};

// The session the test run asks for: the web page in a browser where ORBITDOTS_SESSION is
// "browser", Wayland where it is "wayland", X otherwise. `scale`: the screen's scale, as on a
// HiDPI display, for Wayland and the browser; X has none.
std::unique_ptr<WindowSession> startSession(int scale = 1);
