#include "session.h"

#include <cstdlib>
#include <string>
#include <thread>

#include "browser_session.h"
#include "wayland_session.h"
#include "x_session.h"

bool Session::windowRemains(int width, int height, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (findWindow(width, height)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::unique_ptr<Session> startSession(int scale) {
    const char* kind = std::getenv("ORBITDOTS_SESSION");
    if (std::getenv("ORBITDOTS_BROWSER") != nullptr) {
        return std::make_unique<BrowserSession>(scale);
    }
    if (kind != nullptr && std::string(kind) == "wayland") {
        return std::make_unique<WaylandSession>(scale);
    }
    return std::make_unique<XSession>();
}
