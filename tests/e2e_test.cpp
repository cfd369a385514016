// The built program in a real window: a private Xvfb server per test, answers piped to standard
// input, keys pressed through XTEST, and the window read back. Keys are read once per frame, so
// every press is held across several frames; positions that depend on timing get a tolerance.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <memory>
#include <thread>

#include "child_process.h"
#include "x_session.h"

namespace {

using namespace std::chrono_literals;

constexpr unsigned long kWhite = 0xFFFFFF;
constexpr unsigned long kBlack = 0x000000;
constexpr unsigned long kRed = 0xFF0000;

class RealWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(session.ready()) << "Xvfb did not start"; }

    // Starts the program with these answers and waits for its first frame.
    void start(const std::string& answers) {
        program = std::make_unique<ChildProcess>(
            std::vector<std::string>{ORBITDOTS_EXE},
            std::vector<std::string>{"DISPLAY=" + session.name(), "SDL_VIDEODRIVER",
                                     "LC_ALL=C.UTF-8"},
            answers);
        // The runtime may replace its first window while it sets the mode: wait for one that
        // shows the first frame.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (std::chrono::steady_clock::now() < deadline) {
            const std::optional<Window> found = session.findWindow(800, 600);
            if (found && session.capture(*found).find(kRed)) {
                window = *found;
                break;
            }
            std::this_thread::sleep_for(20ms);
        }
        ASSERT_NE(window, 0U) << "no 800 x 600 window with a first frame; errors: "
                              << program->errors();
        session.pointAt(window);
    }

    std::pair<int, int> redDot() {
        const std::optional<std::pair<int, int>> dot = session.capture(window).find(kRed);
        EXPECT_TRUE(dot) << "no red dot";
        return dot.value_or(std::pair{-1, -1});
    }

    // The greatest distance of a black pixel from the red dot's centre.
    double orbitExtent() {
        const Screenshot shot = session.capture(window);
        const auto dot = shot.find(kRed).value_or(std::pair{0, 0});
        double extent = 0;
        for (int y = 0; y < shot.height; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                if (shot.at(x, y) == kBlack) {
                    extent =
                        std::max(extent, std::hypot(x - dot.first - 0.5, y - dot.second - 0.5));
                }
            }
        }
        return extent;
    }

    void expectEndWithStatusZero() {
        const Ending ending = program->wait(std::chrono::seconds(10));
        EXPECT_EQ(ending.kind, Ending::Kind::Exited);
        EXPECT_EQ(ending.code, 0);
        EXPECT_FALSE(session.findWindow(800, 600)) << "the window is still there";
    }

    XSession session;
    std::unique_ptr<ChildProcess> program;
    Window window = 0;
};

TEST_F(RealWindowTest, StartFrameIsWhiteWithTheRedDotAndItsOrbit) {
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n12\n"));
    const Screenshot shot = session.capture(window);
    ASSERT_EQ(shot.width, 800);
    ASSERT_EQ(shot.height, 600);
    EXPECT_EQ(shot.count(kRed), 4);
    for (const auto& [x, y] : {std::pair{100, 200}, {101, 200}, {100, 201}, {101, 201}}) {
        EXPECT_EQ(shot.at(x, y), kRed) << x << "," << y;
    }
    EXPECT_EQ(shot.count(kBlack), 12 * 49) << "twelve 7 x 7 dots, apart at radius 30";
    EXPECT_EQ(shot.count(kWhite), 800 * 600 - 4 - 12 * 49);
    const double extent = orbitExtent();
    EXPECT_GT(extent, 30.0);
    EXPECT_LT(extent, 36.0);
}

TEST_F(RealWindowTest, HoldingRightMovesAboutAPixelPerFrame) {
    ASSERT_NO_FATAL_FAILURE(start("300 300\nn\n0\n"));
    session.holdKey("Right", 1000ms);
    const auto [x, y] = redDot();
    // 50 frames a second at the most, a few less while the X server is busy.
    EXPECT_GE(x - 300, 25);
    EXPECT_LE(x - 300, 55);
    EXPECT_EQ(y, 300);
}

TEST_F(RealWindowTest, PassingTheRightEdgeComesBackAtTheLeft) {
    ASSERT_NO_FATAL_FAILURE(start("780 300\nn\n0\n"));
    session.holdKey("Right", 1000ms);
    const auto [x, y] = redDot();
    EXPECT_LT(x, 100);
    EXPECT_EQ(y, 300);
}

TEST_F(RealWindowTest, PageUpWidensTheOrbit) {
    ASSERT_NO_FATAL_FAILURE(start("400 300\nn\n12\n"));
    const double before = orbitExtent();
    session.holdKey("Prior", 500ms);
    EXPECT_GT(orbitExtent(), before + 10);
}

TEST_F(RealWindowTest, KeypadPlusMakesTheSameHoldGoFarther) {
    ASSERT_NO_FATAL_FAILURE(start("50 300\nn\n0\n"));
    session.holdKey("Right", 300ms);
    const int slow = redDot().first - 50;
    session.holdKey("KP_Add", 300ms);
    const int from = redDot().first;
    session.holdKey("Right", 300ms);
    const int fast = redDot().first - from;
    EXPECT_GT(slow, 0);
    EXPECT_GT(fast, 4 * slow);
}

TEST_F(RealWindowTest, CommaAnswerAndYesGiveThePositionAndInertia) {
    ASSERT_NO_FATAL_FAILURE(start("100,200\nyes\n0\n"));
    EXPECT_EQ(redDot(), (std::pair{100, 200}));
    session.holdKey("Right", 150ms);
    const int released = redDot().first;
    std::this_thread::sleep_for(300ms);
    EXPECT_GT(redDot().first, released + 5) << "with inertia the dot keeps moving";
}

TEST_F(RealWindowTest, EscapeEndsWithStatusZeroAndClosesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n3\n"));
    session.holdKey("Escape", 200ms);
    expectEndWithStatusZero();
}

TEST_F(RealWindowTest, SigtermEndsWithStatusZeroAndClosesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n3\n"));
    program->sendSignal(SIGTERM);
    expectEndWithStatusZero();
}

}  // namespace
