// The built program in GNOME's own compositor as a GNOME session runs it: headless mutter under
// its own D-Bus session, with Xwayland, so that DISPLAY and WAYLAND_DISPLAY are both set. Where
// SDL 1.2 runs over SDL 3, SDL chooses Wayland there; the window must then open as a native
// Wayland window and show frames. mutter offers no virtual keyboard: the run ends with SIGTERM.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>

#include "gnome_session.h"
#include "program_under_test.h"
#include "wait.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kPatience = 60s;

// How often the text occurs in `text`.
int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(GnomeTest, TheWindowIsANativeWaylandOneAndSigtermEndsTheRun) {
    const GnomeSession session;
    ASSERT_TRUE(session.ready()) << "mutter did not start with Xwayland: "
                                 << session.startFailure();
    // The Wayland client library shows each request the program makes.
    std::vector<std::string> environment = session.environment();
    environment.insert(environment.end(),
                       {"SDL_VIDEODRIVER", "WAYLAND_DEBUG=client", "LC_ALL=C.UTF-8"});
    auto program = startProgram(environment, "100 200\nn\n12\n");
    // An xdg_toplevel, a native window, named after the game, and frames committed after that.
    const std::string named = R"(.set_app_id("orbitdots"))";
    std::string requests;
    bool shown = false;
    waitUntil(
        kPatience,
        [&] {
            requests = program->errors();
            const std::size_t at = requests.find(named);
            shown = at != std::string::npos &&
                    requests.rfind("xdg_toplevel", at) == requests.rfind(' ', at) + 1 &&
                    occurrences(requests.substr(at), ".commit()") >= 10;
            return shown || !program->runsFor(0ms);
        },
        50ms);
    EXPECT_TRUE(shown)
        << "no native Wayland window named orbitdots with frames; the last of what the program "
           "asked: "
        << requests.substr(requests.size() > 2000 ? requests.size() - 2000 : 0);
    program->sendSignal(SIGTERM);
    const Ending ending = program->wait(kPatience);
    EXPECT_EQ(ending.kind, Ending::Kind::Exited);
    EXPECT_EQ(ending.code, 0);
}

}  // namespace
