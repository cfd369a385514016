#include "x_session.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>

#include "app/video.h"
#include "wait.h"

namespace {

// A window that closes while it is being read is an ordinary event in these tests, not a reason
// for Xlib to end the test process.
int ignoreXError(Display* /*display*/, XErrorEvent* /*error*/) {
    return 0;
}

}  // namespace

XSession::XSession() {
    const char* shared = std::getenv("ORBITDOTS_X_FOLDER");
    if (shared != nullptr) {
        sharedDisplay = announcedValue(fixtureAnnouncement(shared), "DISPLAY");
    } else {
        server = std::make_unique<DisplayServer>(std::vector<std::string>{"x"});
    }
    const std::string name = server ? server->variable("DISPLAY") : sharedDisplay;
    if (!name.empty()) {
        XSetErrorHandler(ignoreXError);
        display = XOpenDisplay(name.c_str());
    }
    if (display != nullptr) {
        XAutoRepeatOff(display);
        XSync(display, False);
    }
}

XSession::~XSession() {
    if (display == nullptr) {
        return;
    }
    if (!server) {
        const std::set<std::string> keys = held;
        for (const std::string& key : keys) {
            sendKey(key, false);
        }
        if (XSession::numLockOn()) {
            sendKey("Num_Lock", true);
            sendKey("Num_Lock", false);
        }
        // The window of a program that has ended goes once the server has heard of it: the next
        // test must not take it for its own.
        waitUntil(std::chrono::seconds(10),
                  [this] { return !XSession::findWindow(kScreenWidth, kScreenHeight); });
    }
    XCloseDisplay(display);
}

std::string XSession::startFailure() const {
    return server ? server->failure() : "no X server announced by $ORBITDOTS_X_FOLDER";
}

std::vector<std::string> XSession::environment() const {
    return server ? server->environment()
                  : std::vector<std::string>{"DISPLAY=" + sharedDisplay, "WAYLAND_DISPLAY"};
}

bool XSession::killServer() {
    if (!server) {
        return false;
    }
    // Xlib would end this process too when the server goes: the tests let go of it first.
    XCloseDisplay(display);
    display = nullptr;
    server->kill();
    return true;
}

std::optional<WindowId> XSession::findWindow(int width, int height) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<WindowId> found;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && attributes.width == width &&
            attributes.height == height) {
            found = children[i];
        }
    }
    XFree(children);
    if (found) {
        pointAt(*found);
    }
    return found;
}

Screenshot XSession::capture(WindowId window) {
    XWindowAttributes attributes;
    Screenshot shot;
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return shot;
    }
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return shot;
    }
    shot.width = attributes.width;
    shot.height = attributes.height;
    shot.pixels.reserve(static_cast<std::size_t>(shot.width) *
                        static_cast<std::size_t>(shot.height));
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            shot.pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFFUL);
        }
    }
    XDestroyImage(image);
    return shot;
}

void XSession::pointAt(Window window) {
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 400, 300, &x, &y, &child);
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
}

bool XSession::sendKey(const std::string& keysym, bool press) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysym.c_str()));
    if (code == 0) {
        return false;
    }
    XTestFakeKeyEvent(display, code, press ? True : False, CurrentTime);
    XSync(display, False);
    if (press) {
        held.insert(keysym);
    } else {
        held.erase(keysym);
    }
    return true;
}

bool XSession::numLockOn() {
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int modifiers = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y,
                  &modifiers);
    // The server's keymap puts NumLock on the second modifier.
    return (modifiers & Mod2Mask) != 0;
}

std::string XSession::textProperty(Window window, Atom property) {
    XTextProperty text{};
    std::string value;
    if (XGetTextProperty(display, window, &text, property) != 0 && text.value != nullptr) {
        value.assign(reinterpret_cast<const char*>(text.value), text.nitems);
    }
    if (text.value != nullptr) {
        XFree(text.value);
    }
    return value;
}

WindowLabels XSession::labels(WindowId window) {
    WindowLabels labels;
    labels.title = textProperty(window, XA_WM_NAME);
    labels.iconName = textProperty(window, XA_WM_ICON_NAME);
    labels.iconCentre = netWmIconCentre(window);
    if (!labels.iconCentre) {
        labels.iconCentre = iconPixmapCentre(window);
    }
    return labels;
}

// _NET_WM_ICON holds pictures one after the other, each as its width, its height and then its
// pixels as ARGB; Xlib hands 32-bit items over as longs.
std::optional<unsigned long> XSession::netWmIconCentre(Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::optional<unsigned long> centre;
    const Atom property = XInternAtom(display, "_NET_WM_ICON", False);
    if (XGetWindowProperty(display, window, property, 0, 1L << 20, False, XA_CARDINAL, &type,
                           &format, &count, &remaining, &data) == Success &&
        data != nullptr && format == 32 && count >= 2) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        const unsigned long width = items[0];
        const unsigned long height = items[1];
        if (width > 0 && count >= 2 + width * height) {
            centre = items[2 + (height / 2) * width + width / 2] & 0xFFFFFFUL;
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return centre;
}

std::optional<unsigned long> XSession::iconPixmapCentre(Window window) {
    XWMHints* hints = XGetWMHints(display, window);
    std::optional<unsigned long> centre;
    if (hints != nullptr && (hints->flags & IconPixmapHint) != 0) {
        Window root = 0;
        int x = 0;
        int y = 0;
        unsigned int width = 0;
        unsigned int height = 0;
        unsigned int border = 0;
        unsigned int depth = 0;
        if (XGetGeometry(display, hints->icon_pixmap, &root, &x, &y, &width, &height, &border,
                         &depth) != 0) {
            XImage* pixel = XGetImage(display, hints->icon_pixmap, static_cast<int>(width / 2),
                                      static_cast<int>(height / 2), 1, 1, AllPlanes, ZPixmap);
            if (pixel != nullptr) {
                centre = XGetPixel(pixel, 0, 0) & 0xFFFFFFUL;
                XDestroyImage(pixel);
            }
        }
    }
    if (hints != nullptr) {
        XFree(hints);
    }
    return centre;
}
