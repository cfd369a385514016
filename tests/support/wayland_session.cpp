#include "wayland_session.h"

#include <chrono>
#include <cstdlib>
#include <sstream>

#include "wait.h"

namespace {

using namespace std::chrono_literals;

// The evdev codes of the keys the tests press, by their X names.
const std::map<std::string, int> kEvdevCodes = {
    {"Escape", 1},  {"equal", 13},    {"KP_Subtract", 74}, {"KP_Add", 78}, {"KP_1", 79},
    {"KP_2", 80},   {"Num_Lock", 69}, {"Up", 103},         {"Prior", 104}, {"Left", 105},
    {"Right", 106}, {"Down", 108},    {"Next", 109},
};

std::string keyboardProgram() {
    const char* program = std::getenv("ORBITDOTS_WAYLAND_KEYBOARD");
    return program != nullptr ? program : "";
}

}  // namespace

WaylandSession::WaylandSession(int scale) : server({"wayland", std::to_string(scale)}) {
    if (!server.ready()) {
        failure = server.failure();
        return;
    }
    keyboard =
        std::make_unique<ChildProcess>(std::vector<std::string>{keyboardProgram()},
                                       server.environment(), "", ChildProcess::Options{true});
    if (!keyboard->outputEndsWithin("ready\n", 30s)) {
        failure = "the virtual keyboard did not start: " + keyboard->errors();
        keyboard.reset();
    }
}

bool WaylandSession::killServer() {
    server.kill();
    return true;
}

std::string WaylandSession::run(const std::string& command) const {
    ChildProcess shell({"sh", "-c", command}, server.environment(), "");
    shell.wait(30s);
    return shell.output();
}

std::string WaylandSession::queryTree(const std::string& filter) const {
    return run("swaymsg -r -t get_tree | jq -r 'recurse(.nodes[]?, .floating_nodes[]?) | " +
               filter + "'");
}

std::optional<WindowId> WaylandSession::findWindow(int width, int height) {
    // Only a native window: an X one would be Xwayland's ("xwayland"), which is off.
    std::istringstream found(
        queryTree("select(.shell == \"xdg_shell\" and .visible and .window_rect.width == " +
                  std::to_string(width) + " and .window_rect.height == " + std::to_string(height) +
                  ") | \"\\(.id) \\(.rect.x + .window_rect.x) \\(.rect.y + .window_rect.y)\""));
    WindowId window = 0;
    int x = 0;
    int y = 0;
    if (!(found >> window >> x >> y)) {
        return std::nullopt;
    }
    positions[window] = {x, y};
    return window;
}

Screenshot WaylandSession::capture(WindowId window) {
    const auto [x, y] = positions[window];
    return screenshotFromPpm(
        run("grim -t ppm -g '" + std::to_string(x) + "," + std::to_string(y) + " 800x600' -"));
}

std::string WaylandSession::tellKeyboard(const std::string& command) {
    keyboard->type(command + "\n");
    const std::string answer = "done " + std::to_string(++commands);
    std::string line;
    waitUntil(
        30s,
        [&] {
            const std::string output = keyboard->output();
            const std::size_t at = output.rfind(answer);
            if (at != std::string::npos && output.back() == '\n') {
                line = output.substr(at, output.find('\n', at) - at);
            }
            return !line.empty();
        },
        5ms);
    return line;
}

bool WaylandSession::pressKey(const std::string& keysym) {
    const auto code = kEvdevCodes.find(keysym);
    return code != kEvdevCodes.end() &&
           !tellKeyboard("press " + std::to_string(code->second)).empty();
}

bool WaylandSession::releaseKey(const std::string& keysym) {
    const auto code = kEvdevCodes.find(keysym);
    return code != kEvdevCodes.end() &&
           !tellKeyboard("release " + std::to_string(code->second)).empty();
}

bool WaylandSession::numLockOn() {
    const std::string answer = tellKeyboard("numlock");
    return answer.size() > 3 && answer.compare(answer.size() - 3, 3, " on") == 0;
}

std::string WaylandSession::windowField(WindowId window, const std::string& field) const {
    std::string value = queryTree("select(.id == " + std::to_string(window) + ") | ." + field);
    if (!value.empty() && value.back() == '\n') {
        value.pop_back();
    }
    return value;
}

WindowLabels WaylandSession::labels(WindowId window) {
    WindowLabels labels;
    labels.title = windowField(window, "name");
    labels.applicationId = windowField(window, "app_id");
    return labels;
}
