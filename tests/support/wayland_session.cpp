#include "wayland_session.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The evdev codes of the keys the tests press, by their X names.
const std::map<std::string, int> kEvdevCodes = {
    {"Escape", 1},  {"equal", 13},    {"KP_Subtract", 74}, {"KP_Add", 78}, {"KP_1", 79},
    {"KP_2", 80},   {"Num_Lock", 69}, {"Up", 103},         {"Prior", 104}, {"Left", 105},
    {"Right", 106}, {"Down", 108},    {"Next", 109},
};

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The first file in `folder` whose name starts with `prefix` and ends with `suffix`, but not with
// ".lock" (the lock file that a Wayland socket has beside it).
std::string fileIn(const std::string& folder, const std::string& prefix,
                   const std::string& suffix) {
    std::string found;
    DIR* entries = opendir(folder.c_str());
    if (entries == nullptr) {
        return found;
    }
    while (const dirent* entry = readdir(entries)) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) == 0 && endsWith(name, suffix) && !endsWith(name, ".lock")) {
            found = folder + "/" + name;
            break;
        }
    }
    closedir(entries);
    return found;
}

// The lines of sway's log, each once, without their times: a broken output repeats its complaint
// every frame.
std::string distinctLogLines(const std::string& log) {
    std::istringstream lines(log);
    std::set<std::string> seen;
    std::string distinct;
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t text = line.find(" [");
        line = text == std::string::npos ? line : line.substr(text + 1);
        if (seen.insert(line).second) {
            distinct += line + "\n";
        }
    }
    return distinct;
}

// sway's configuration: the output, no X server, and windows floating at their own size without
// borders, so that a window's rectangle is its picture.
void writeConfiguration(const std::string& path, int scale) {
    std::ofstream config(path);
    config << "output HEADLESS-1 resolution " << 1024 * scale << "x" << 768 * scale << " scale "
           << scale << "\n"
           << "xwayland disable\n"
           << "default_border none\n"
           << "default_floating_border none\n"
           << "for_window [app_id=\".*\"] floating enable\n";
}

}  // namespace

WaylandSession::WaylandSession(int scale) {
    char name[] = "/tmp/orbitdots-wayland-XXXXXX";
    if (mkdtemp(name) == nullptr) {
        return;
    }
    folder = name;
    writeConfiguration(folder + "/config", scale);
    std::vector<std::string> command = {"setsid"};
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (nobody == nullptr || chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
            return;
        }
        command.insert(command.end(),
                       {"setpriv", "--reuid=" + std::to_string(nobody->pw_uid),
                        "--regid=" + std::to_string(nobody->pw_gid), "--clear-groups"});
    }
    command.insert(command.end(), {"sway", "--config", folder + "/config"});
    compositor = std::make_unique<ChildProcess>(
        command,
        std::vector<std::string>{"WLR_BACKENDS=headless", "WLR_RENDERER=pixman",
                                 "WLR_LIBINPUT_NO_DEVICES=1", "XDG_RUNTIME_DIR=" + folder,
                                 "HOME=" + folder, "DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK"},
        "");
    const auto deadline = Clock::now() + 30s;
    while ((socket.empty() || ipcSocket.empty()) && Clock::now() < deadline &&
           compositor->runsFor(20ms)) {
        socket = fileIn(folder, "wayland-", "");
        ipcSocket = fileIn(folder, "sway-ipc.", ".sock");
    }
    if (socket.empty() || ipcSocket.empty()) {
        failure = "sway made no sockets; its log:\n" + distinctLogLines(compositor->errors());
        return;
    }
    // A compositor that cannot allocate its output's buffers still opens its sockets and takes
    // clients, but shows nothing: every wait for a window would run its full course.
    if (!outputReadable()) {
        failure =
            "grim cannot read sway's output: " + run("grim -t ppm -g '0,0 1x1' - 2>&1 >/dev/null") +
            "sway's log:\n" + distinctLogLines(compositor->errors());
        return;
    }
    keyboard = std::make_unique<ChildProcess>(std::vector<std::string>{ORBITDOTS_WAYLAND_KEYBOARD},
                                              environment(), "", true);
    if (!keyboard->outputEndsWithin("ready\n", 30s)) {
        failure = "the virtual keyboard did not start: " + keyboard->errors();
        keyboard.reset();
    }
}

bool WaylandSession::outputReadable() const {
    const auto deadline = Clock::now() + 10s;
    // At an output scale of 2 the one pixel asked for comes as four.
    while (screenshotFromPpm(run("grim -t ppm -g '0,0 1x1' - 2>/dev/null")).pixels.empty()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

void WaylandSession::killServer() {
    // sway starts children of its own (swaybg): the whole group goes.
    kill(-compositor->processId(), SIGKILL);
    compositor->wait(5s);
}

WaylandSession::~WaylandSession() {
    keyboard.reset();
    if (compositor) {
        const pid_t group = compositor->processId();
        kill(-group, SIGTERM);
        if (compositor->wait(5s).kind == Ending::Kind::StillRunning) {
            kill(-group, SIGKILL);
        }
        compositor.reset();
    }
    if (!folder.empty()) {
        run("rm -rf '" + folder + "'");
    }
}

std::vector<std::string> WaylandSession::environment() const {
    std::vector<std::string> variables = {"DISPLAY", "WAYLAND_DISPLAY=" + socket,
                                          "XDG_RUNTIME_DIR=" + folder, "SWAYSOCK=" + ipcSocket};
    if (!std::string(ORBITDOTS_WAYLAND_RUNTIME).empty()) {
        variables.emplace_back("LD_LIBRARY_PATH=" ORBITDOTS_WAYLAND_RUNTIME);
    }
    return variables;
}

std::string WaylandSession::run(const std::string& command) const {
    std::string line = "env -u DISPLAY WAYLAND_DISPLAY='" + socket + "' XDG_RUNTIME_DIR='" +
                       folder + "' SWAYSOCK='" + ipcSocket + "' " + command;
    std::string output;
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[65536];
    std::size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, read);
    }
    pclose(pipe);
    return output;
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
    const auto deadline = Clock::now() + 30s;
    while (Clock::now() < deadline) {
        const std::string output = keyboard->output();
        const std::size_t at = output.rfind(answer);
        if (at != std::string::npos && output.back() == '\n') {
            return output.substr(at, output.find('\n', at) - at);
        }
        std::this_thread::sleep_for(5ms);
    }
    return {};
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

std::string WaylandSession::windowName(WindowId window) {
    std::string name = queryTree("select(.id == " + std::to_string(window) + ") | .name");
    if (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

std::string WaylandSession::applicationId(WindowId window) {
    std::string id = queryTree("select(.id == " + std::to_string(window) + ") | .app_id");
    if (!id.empty() && id.back() == '\n') {
        id.pop_back();
    }
    return id;
}
