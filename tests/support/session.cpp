#include "session.h"

#include <cstdlib>
#include <string>

#include "browser_session.h"
#include "wait.h"
#include "wayland_session.h"
#include "x_session.h"

bool WindowSession::windowRemains(int width, int height, std::chrono::milliseconds timeout) {
    return !waitUntil(timeout, [&] { return !findWindow(width, height); });
}

std::unique_ptr<WindowSession> startSession(int scale) {
    const char* kind = std::getenv("ORBITDOTS_SESSION");
    const std::string name = kind != nullptr ? kind : "x";
    if (name == "browser") {
        return std::make_unique<BrowserSession>(scale);
    }
    if (name == "wayland") {
        return std::make_unique<WaylandSession>(scale);
    }
    return std::make_unique<XSession>();
}
