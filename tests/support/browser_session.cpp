#include "browser_session.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

using nlohmann::json;

constexpr WindowId kCanvas = 1;

// Whether an answer says yes in this field.
bool says(const json& answer, const char* field) {
    return answer.is_object() && answer.value(field, false);
}

}  // namespace

BrowserSession::BrowserSession(int scale) {
    const char* folder = std::getenv("ORBITDOTS_BROWSER_FOLDER");
    socketPath = folder != nullptr ? std::string(folder) + "/socket" : "";
    const json served = ask({{"command", "scale"}});
    if (!served.is_object() || served["scale"] != scale) {
        failure = "the browser of " + socketPath + " shows the page at another scale than " +
                  std::to_string(scale) + ": " + served.dump();
    } else if (!done({{"command", "blank"}})) {
        failure = "the browser of " + socketPath + " cannot leave the page before";
    }
}

BrowserSession::~BrowserSession() {
    static_cast<void>(done({{"command", "blank"}}));
}

json BrowserSession::ask(const json& request) const {
    sockaddr_un address{};
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path) {
        return nullptr;
    }
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, socketPath.size());
    const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string answer;
    if (connection >= 0 &&
        connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        const std::string line = request.dump() + "\n";
        if (write(connection, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
            char buffer[65536];
            ssize_t got = 0;
            while ((answer.empty() || answer.back() != '\n') &&
                   (got = read(connection, buffer, sizeof buffer)) > 0) {
                answer.append(buffer, static_cast<std::size_t>(got));
            }
        }
    }
    if (connection >= 0) {
        close(connection);
    }
    json answered = json::parse(answer, nullptr, false);
    if (answered.is_object() && answered.contains("error")) {
        // What the browser said goes into the test's log: a check that fails then says why.
        std::cerr << "the browser, asked " << request.dump() << ": " << answered["error"] << '\n';
        return nullptr;
    }
    return answered.is_object() ? answered : nullptr;
}

std::optional<WindowId> BrowserSession::findWindow(int width, int height) {
    if (width != 800 || height != 600) {
        return std::nullopt;
    }
    if (!says(ask({{"command", "window"}}), "running")) {
        return std::nullopt;
    }
    return kCanvas;
}

Screenshot BrowserSession::capture(WindowId /*window*/) {
    const json canvas = ask({{"command", "capture"}});
    if (!canvas.is_object()) {
        return {};
    }
    Screenshot shot{canvas["width"].get<int>(), canvas["height"].get<int>(), {}};
    const json& runs = canvas["runs"];
    for (std::size_t i = 0; i + 1 < runs.size(); i += 2) {
        shot.pixels.insert(shot.pixels.end(), runs[i + 1].get<std::size_t>(),
                           runs[i].get<unsigned long>());
    }
    if (shot.pixels.size() != static_cast<std::size_t>(shot.width) * shot.height) {
        return {};
    }
    return shot;
}

bool BrowserSession::pressKey(const std::string& keysym) {
    return done({{"command", "press"}, {"key", keysym}});
}

bool BrowserSession::releaseKey(const std::string& keysym) {
    return done({{"command", "release"}, {"key", keysym}});
}

bool BrowserSession::numLockOn() {
    return says(ask({{"command", "numlock"}}), "on");
}

bool BrowserSession::showAs(int width, int height, double scale, bool touch) {
    return done({{"command", "show"},
                 {"width", width},
                 {"height", height},
                 {"scale", scale},
                 {"touch", touch}});
}

json BrowserSession::layout() {
    return ask({{"command", "layout"}});
}

std::vector<std::string> BrowserSession::installability() {
    const json answer = ask({{"command", "installability"}});
    return answer.is_object() ? answer["reasons"].get<std::vector<std::string>>()
                              : std::vector<std::string>{"no answer"};
}

bool BrowserSession::servedByServiceWorker() {
    return says(ask({{"command", "controlled"}}), "controlled");
}

bool BrowserSession::keepNothingInHttpCache() {
    return done({{"command", "no-http-cache"}});
}

// The page's pad: the browsers' standard mapping, its d-pad as buttons and Select as button 8.
class PagePad : public Pad {
  public:
    explicit PagePad(const BrowserSession& browser) : session(browser) {}
    std::vector<std::string> environment() const override { return {}; }

    bool hold(const std::string& control, bool held) override {
        if (control == "stick-up") {
            state["axes"][1] = held ? -1.0 : 0.0;
        } else if (control == "dpad-right" || control == "back") {
            state["buttons"][control == "back" ? 8 : 15] = held;
        } else {
            return false;
        }
        return session.done(state);
    }

  private:
    const BrowserSession& session;
    json state = {{"command", "pad"},
                  {"axes", {0.0, 0.0, 0.0, 0.0}},
                  {"buttons", std::vector<bool>(17, false)}};
};

std::unique_ptr<Pad> BrowserSession::plugInPad() {
    return std::make_unique<PagePad>(*this);
}

WindowLabels BrowserSession::labels(WindowId /*window*/) {
    const json page = ask({{"command", "labels"}});
    WindowLabels labels;
    if (page.is_object()) {
        labels.title = page["title"].get<std::string>();
        labels.applicationId = page["icon"].get<std::string>();
    }
    return labels;
}
