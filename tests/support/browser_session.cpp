#include "browser_session.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr WindowId kCanvas = 1;

}  // namespace

BrowserSession::BrowserSession(int outputScale) : scale(outputScale) {
    char name[] = "/tmp/orbitdots-browser-XXXXXX";
    if (mkdtemp(name) != nullptr) {
        folder = name;
    }
}

BrowserSession::~BrowserSession() {
    if (!folder.empty()) {
        std::system(("rm -rf '" + folder + "'").c_str());
    }
}

std::vector<std::string> BrowserSession::environment() const {
    return {"ORBITDOTS_BROWSER_FOLDER=" + folder,
            "ORBITDOTS_BROWSER_SCALE=" + std::to_string(scale)};
}

std::string BrowserSession::ask(const std::string& command) const {
    sockaddr_un address{};
    const std::string path = folder + "/socket";
    if (path.size() >= sizeof address.sun_path) {
        return {};
    }
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string answer;
    if (connection >= 0 &&
        connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        const std::string line = command + "\n";
        if (write(connection, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
            char byte = 0;
            while (read(connection, &byte, 1) == 1 && byte != '\n') {
                answer += byte;
            }
        }
    }
    if (connection >= 0) {
        close(connection);
    }
    return answer;
}

std::optional<WindowId> BrowserSession::findWindow(int width, int height) {
    if (width != 800 || height != 600 || ask("window") != "yes") {
        return std::nullopt;
    }
    return kCanvas;
}

Screenshot BrowserSession::capture(WindowId /*window*/) {
    const std::string path = folder + "/canvas.ppm";
    if (ask("capture " + path) != "done") {
        return {};
    }
    std::ifstream file(path, std::ios::binary);
    return screenshotFromPpm(
        std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
}

bool BrowserSession::pressKey(const std::string& keysym) {
    return ask("press " + keysym) == "done";
}

bool BrowserSession::releaseKey(const std::string& keysym) {
    // A page that has ended holds no keys any more.
    const std::string answer = ask("release " + keysym);
    return answer == "done" || answer.empty();
}

bool BrowserSession::numLockOn() {
    return ask("numlock") == "on";
}

std::string BrowserSession::windowName(WindowId /*window*/) {
    return ask("title");
}

std::string BrowserSession::applicationId(WindowId /*window*/) {
    return ask("icon");
}
