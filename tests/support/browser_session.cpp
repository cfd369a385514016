#include "browser_session.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr WindowId kCanvas = 1;

}  // namespace

BrowserSession::BrowserSession(int scale) {
    const char* folder = std::getenv("ORBITDOTS_BROWSER_FOLDER");
    socketPath = folder != nullptr ? std::string(folder) + "/socket" : "";
    const std::string served = ask("scale");
    if (served != std::to_string(scale)) {
        failure = "the browser of " + socketPath + " shows the page at scale '" + served +
                  "', not " + std::to_string(scale);
    } else if (ask("blank") != "done") {
        failure = "the browser of " + socketPath + " cannot leave the page before";
    }
}

BrowserSession::~BrowserSession() {
    static_cast<void>(ask("blank"));
}

std::string BrowserSession::ask(const std::string& command) const {
    sockaddr_un address{};
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) {
        return {};
    }
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, socketPath.size());
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
    const std::string path = pictures.path() + "/canvas.ppm";
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
    return ask("release " + keysym) == "done";
}

bool BrowserSession::numLockOn() {
    return ask("numlock") == "on";
}

bool BrowserSession::showAs(int width, int height, double scale, bool touch) {
    std::ostringstream command;
    command << "show " << width << ' ' << height << ' ' << scale << ' ' << (touch ? 1 : 0);
    return ask(command.str()) == "done";
}

std::optional<BrowserSession::Layout> BrowserSession::layout() {
    std::string numbers = ask("fit");
    std::replace_if(
        numbers.begin(), numbers.end(), [](char c) { return c == '[' || c == ']' || c == ','; },
        ' ');
    std::istringstream in(numbers);
    Layout measured;
    if (!(in >> measured.width >> measured.height >> measured.pageWidth >> measured.pageHeight >>
          measured.canvasLeft >> measured.canvasTop >> measured.canvasRight >>
          measured.canvasBottom >> measured.consoleTextSize >> measured.controls >>
          measured.smallestControl >> measured.controlsLeft >> measured.controlsTop >>
          measured.controlsRight >> measured.controlsBottom)) {
        return std::nullopt;
    }
    return measured;
}

std::string BrowserSession::installability() {
    return ask("installability");
}

bool BrowserSession::servedByServiceWorker() {
    return ask("controlled") == "yes";
}

bool BrowserSession::keepNothingInHttpCache() {
    return ask("no-http-cache") == "done";
}

WindowLabels BrowserSession::labels(WindowId /*window*/) {
    WindowLabels labels;
    labels.title = ask("title");
    labels.applicationId = ask("icon");
    return labels;
}
