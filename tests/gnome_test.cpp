// The built program in GNOME's own compositor as a GNOME session runs it: headless mutter under
// its own D-Bus session, with Xwayland, so that DISPLAY and WAYLAND_DISPLAY are both set. Where
// SDL 1.2 runs over SDL 3, SDL chooses Wayland there; the window must then open as a native
// Wayland window and show frames. mutter offers no virtual keyboard: the run ends with SIGTERM.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "child_process.h"
#include "program_under_test.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kPatience = 60s;

// How often the text occurs in `text`.
int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class GnomeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/orbitdots-gnome-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        // Xwayland puts its sockets there, and wants it shared as an X server leaves it.
        mkdir("/tmp/.X11-unix", 01777);
        chmod("/tmp/.X11-unix", 01777);
        // A process group of its own: mutter starts Xwayland and helpers, which end with it.
        compositor = std::make_unique<ChildProcess>(
            std::vector<std::string>{"setsid", "dbus-run-session", "--", "mutter", "--headless",
                                     "--wayland", "--virtual-monitor", "1024x768"},
            std::vector<std::string>{"XDG_RUNTIME_DIR=" + folder, "DISPLAY", "WAYLAND_DISPLAY"},
            "");
        const std::string announcement = "Using public X11 display ";
        const auto deadline = Clock::now() + kPatience;
        while (xDisplay.empty() && Clock::now() < deadline && compositor->runsFor(50ms)) {
            const std::string messages = compositor->errors() + compositor->output();
            const std::size_t at = messages.find(announcement);
            if (at != std::string::npos) {
                const std::size_t start = at + announcement.size();
                xDisplay = messages.substr(start, messages.find_first_of(", \n", start) - start);
            }
        }
        ASSERT_FALSE(xDisplay.empty())
            << "mutter did not start with Xwayland: " << compositor->errors();
    }

    void TearDown() override {
        if (compositor) {
            kill(-compositor->processId(), SIGTERM);
            if (compositor->wait(10s).kind == Ending::Kind::StillRunning) {
                kill(-compositor->processId(), SIGKILL);
            }
        }
        std::system(("rm -rf '" + folder + "'").c_str());
    }

    std::string folder;
    std::string xDisplay;
    std::unique_ptr<ChildProcess> compositor;
};

TEST_F(GnomeTest, TheWindowIsANativeWaylandOneAndSigtermEndsTheRun) {
    // The Wayland client library shows each request the program makes.
    auto program = startProgram(
        {"DISPLAY=" + xDisplay, "WAYLAND_DISPLAY=wayland-0", "XDG_RUNTIME_DIR=" + folder,
         "SDL_VIDEODRIVER", "WAYLAND_DEBUG=client", "LC_ALL=C.UTF-8"},
        "100 200\nn\n12\n");
    // An xdg_toplevel, a native window, named after the game, and frames committed after that.
    const std::string named = R"(.set_app_id("orbitdots"))";
    std::string requests;
    bool shown = false;
    const auto deadline = Clock::now() + kPatience;
    while (!shown && Clock::now() < deadline && program->runsFor(50ms)) {
        requests = program->errors();
        const std::size_t at = requests.find(named);
        shown = at != std::string::npos &&
                requests.rfind("xdg_toplevel", at) == requests.rfind(' ', at) + 1 &&
                occurrences(requests.substr(at), ".commit()") >= 10;
    }
    EXPECT_TRUE(shown) << "no native Wayland window named orbitdots with frames; the last of "
                          "what the program asked: "
                       << requests.substr(requests.size() > 2000 ? requests.size() - 2000 : 0);
    program->sendSignal(SIGTERM);
    const Ending ending = program->wait(kPatience);
    EXPECT_EQ(ending.kind, Ending::Kind::Exited);
    EXPECT_EQ(ending.code, 0);
}

}  // namespace
