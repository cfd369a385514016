// The built program in a real window: a private session per test (an Xvfb server, or in the runs
// prefixed "wayland:" a headless Wayland compositor), answers piped to standard input, keys
// pressed (XTEST; a virtual keyboard), and the window read back. Every picture read must be exactly
// one that the frame step draws. Nothing here depends on how fast the machine is: with one
// orbiting dot the phase it shows counts the frames, so motion is checked per frame, and a wait
// only ends early when what it waits for has happened. RealWindowTest runs against the Linux
// program and, under Wine, against the Windows one; RealWindowOnPosixTest holds what only POSIX
// signals do.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <thread>

#include "browser_session.h"
#include "display_server.h"
#include "expected_colours.h"
#include "frame_oracle.h"
#include "program_under_test.h"
#include "sdl_runtime.h"
#include "session.h"
#include "wait.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kStartRadius = 30;
constexpr int kMaxRadius = 200;
constexpr int kMaxSpeed = 30;
constexpr int kPlayfieldWidth = 793;
// Generous limits for waits that end as soon as their condition holds; only a program that
// hangs reaches them.
constexpr auto kPatience = 60s;
// Frames are at least 20 ms apart, so fewer than a turn of 120 frames fits into this: a phase
// difference measured within it is the exact number of frames.
constexpr auto kCountableSpan = 2300ms;

// One read of the window, with the frame it shows.
struct Sample {
    Screenshot shot;
    Clock::time_point before;
    Clock::time_point after;
    int x = -1;
    int y = -1;
    std::optional<int> phase;  // the phase of a frame that the frame step draws exactly like this
};

// Frames from one still frame to a later one, if the reads were close enough together to count
// them exactly.
std::optional<int> framesApart(const Sample& from, const Sample& to) {
    if (to.after - from.before >= kCountableSpan) {
        return std::nullopt;
    }
    return framesBetween(*from.phase, *to.phase);
}

class RealWindowTest : public ::testing::Test {
  protected:
    // `scale`: the session's output scale, where it has one (Wayland).
    explicit RealWindowTest(int scale = 1) : session(startSession(scale)) {}

    void SetUp() override {
        ASSERT_TRUE(session->ready()) << "the session did not start. " << session->startFailure();
        ASSERT_TRUE(oracle.ready()) << "the dummy video driver did not start";
    }

    // Starts the program with these answers and waits for its first frame. DotNum and radius
    // describe the frames it will show.
    void start(const std::string& answers, int DotNum) {
        dots = DotNum;
        std::vector<std::string> environment = session->environment();
        environment.insert(environment.end(), {"SDL_VIDEODRIVER", "LC_ALL=C.UTF-8"});
        program = startProgram(environment, answers);
        window = 0;
        // The runtime may replace its first window while it sets the mode: wait for one that
        // shows a frame.
        waitUntil(kPatience, [this] {
            const std::optional<WindowId> found = session->findWindow(800, 600);
            if (found && session->capture(*found).find(kRedPixel)) {
                window = *found;
            }
            return window != 0 || !program->runsFor(0ms);
        });
        ASSERT_NE(window, 0U) << "no 800 x 600 window with a first frame; errors: "
                              << program->errors();
    }

    void press(const std::string& keysym) {
        EXPECT_TRUE(session->pressKey(keysym)) << "the X server has no key " << keysym;
    }

    void release(const std::string& keysym) {
        EXPECT_TRUE(session->releaseKey(keysym)) << "the X server has no key " << keysym;
    }

    // Reads the window, without judging the picture.
    Sample capture() {
        Sample sample;
        sample.before = Clock::now();
        sample.shot = session->capture(window);
        sample.after = Clock::now();
        const auto dot = sample.shot.find(kRedPixel).value_or(std::pair{-1, -1});
        sample.x = dot.first;
        sample.y = dot.second;
        return sample;
    }

    // Reads the window; phase stays empty if the picture is no still frame of the frame step.
    Sample read() {
        Sample sample = capture();
        sample.phase = oracle.phaseShown(sample.shot, dots, radius);
        return sample;
    }

    // Reads the window; the picture must be exactly a frame of the frame step. Under Wine, on a
    // loaded machine, about one read in two hundred showed a picture that was no frame at all:
    // there Wine, not SDL, hands the window's pixels to the X server. The next read must then be
    // a frame.
    Sample exactRead() {
        Sample sample = read();
        if (!sample.phase && underWine()) {
            std::cout << "passed over a picture that is no frame, red at " << sample.x << ","
                      << sample.y << '\n';
            sample = read();
        }
        EXPECT_TRUE(sample.phase) << "the window shows no frame that the frame step draws, red at "
                                  << sample.x << "," << sample.y;
        return sample;
    }

    // Reads the window until it shows a frame at least `frames` after the sample's. A picture
    // that is no still frame (the dot wrapping around) is passed over.
    Sample readAfter(const Sample& from, int frames) {
        int counted = 0;
        Sample last = from;
        waitUntil(
            kPatience,
            [&] {
                if (counted >= frames || !last.phase) {
                    return true;
                }
                const Sample next = read();
                if (next.phase) {
                    // Reads further apart than a turn count fewer frames than there were, never
                    // more, so the wait is never cut short.
                    counted += framesBetween(*last.phase, *next.phase);
                    last = next;
                }
                return false;
            },
            0ms);
        EXPECT_GE(counted, frames) << "the program did not show " << frames << " more frames";
        return last;
    }

    // Reads the window until it shows a still frame, passing over frames in which the dot wraps
    // around.
    Sample readStillFrame() {
        Sample sample;
        waitUntil(
            kPatience,
            [&] {
                sample = read();
                return sample.phase.has_value();
            },
            0ms);
        EXPECT_TRUE(sample.phase) << "the window shows no frame that the frame step draws";
        return sample;
    }

    // Hands pairs of successive still frames, all later than `after` by a frame at least and with
    // the frames between them counted exactly, to `check(from, to, frames)`, until it has
    // accepted `pairs` of them. Returns how many it accepted.
    template <typename Check>
    int checkPairsOfReads(const Sample& after, int pairs, Check check) {
        int accepted = 0;
        Sample from;
        waitUntil(
            kPatience,
            [&] {
                if (accepted >= pairs || !after.phase) {
                    return true;
                }
                const Sample to = read();
                if (!to.phase) {
                    return false;
                }
                const std::optional<int> frames =
                    from.phase ? framesApart(from, to) : std::optional<int>{};
                if (frames && *frames > 0 && check(from, to, *frames)) {
                    ++accepted;
                }
                // Counted modulo a turn, a difference of one frame or more is never too many.
                if (framesBetween(*after.phase, *to.phase) > 0) {
                    from = to;
                }
                return false;
            },
            0ms);
        return accepted;
    }

    // The greatest distance of a black pixel from the red dot.
    static double orbitExtent(const Sample& sample) {
        double extent = 0;
        for (int y = 0; y < sample.shot.height; ++y) {
            for (int x = 0; x < sample.shot.width; ++x) {
                if (sample.shot.at(x, y) == kBlackPixel) {
                    extent = std::max(extent, std::hypot(x - sample.x, y - sample.y));
                }
            }
        }
        return extent;
    }

    void expectEndWithStatusZero() {
        const Ending ending = program->wait(kPatience);
        EXPECT_EQ(ending.kind, Ending::Kind::Exited);
        EXPECT_EQ(ending.code, 0) << "errors: " << program->errors();
        EXPECT_FALSE(session->windowRemains(800, 600, 10s)) << "the window is still there";
    }

    std::unique_ptr<WindowSession> session;
    FrameOracle oracle;
    std::unique_ptr<ChildProcess> program;
    WindowId window = 0;
    int dots = 0;
    int radius = kStartRadius;
};

TEST_F(RealWindowTest, StartFramesAreExactlyThoseTheFrameStepDraws) {
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n12\n", 12));
    for (int i = 0; i < 3; ++i) {
        const Sample sample = exactRead();
        EXPECT_EQ(sample.x, 100);
        EXPECT_EQ(sample.y, 200);
        std::this_thread::sleep_for(100ms);
    }
}

TEST_F(RealWindowTest, TheWindowIsNamedAfterTheGameAndCarriesItsIcon) {
    ASSERT_NO_FATAL_FAILURE(start("400 300\nn\n1\n", 1));
    const WindowLabels labels = session->labels(window);
    EXPECT_EQ(labels.title, "orbitdots");
    if (!session->windowsCarryIcons()) {
        // A Wayland window names its application instead, and desktops find the icon of the
        // desktop entry of that name.
        EXPECT_EQ(labels.applicationId, "orbitdots");
        return;
    }
    // The SDL2-based runtime sets no icon name (SDL 2 has none); desktops then show the name.
    // Under Wine the Windows runtime is the classic one.
    const bool iconNamed = underWine() || !sdl2BasedRuntimeAsked();
    EXPECT_EQ(labels.iconName, iconNamed ? "orbitdots" : "");
    EXPECT_EQ(labels.iconCentre, std::optional<unsigned long>{kRedPixel})
        << "no icon, or not the game's: the red dot sits at its centre";
}

TEST_F(RealWindowTest, HeldRightMovesOnePixelEachFrameAndStopsWhenReleased) {
    ASSERT_NO_FATAL_FAILURE(start("300 300\nn\n1\n", 1));
    press("Right");
    // The frame under way may have read the keys just before the press; every later one sees it.
    const int checked =
        checkPairsOfReads(exactRead(), 2, [](const Sample& from, const Sample& to, int frames) {
            EXPECT_EQ(to.x - from.x, frames);
            EXPECT_EQ(to.y, 300);
            return true;
        });
    EXPECT_EQ(checked, 2);
    release("Right");
    const Sample stopped = readAfter(exactRead(), 2);
    EXPECT_EQ(readAfter(stopped, 3).x, stopped.x) << "the dot moves on without the key";
}

// Two arrows at once, as a thumb on a diagonal of the page's pad holds them: a pixel right and a
// pixel up each frame.
TEST_F(RealWindowTest, HeldUpAndRightMoveDiagonallyOnePixelEachFrame) {
    ASSERT_NO_FATAL_FAILURE(start("300 300\nn\n1\n", 1));
    press("Up");
    press("Right");
    // The frame under way may have read the keys before the presses; every later one sees both.
    const int checked = checkPairsOfReads(readAfter(exactRead(), 2), 2,
                                          [](const Sample& from, const Sample& to, int frames) {
                                              EXPECT_EQ(to.x - from.x, frames);
                                              EXPECT_EQ(from.y - to.y, frames);
                                              return true;
                                          });
    EXPECT_EQ(checked, 2);
    release("Right");
    release("Up");
}

TEST_F(RealWindowTest, PassingTheRightEdgeComesBackAtTheLeft) {
    ASSERT_NO_FATAL_FAILURE(start("780 300\nn\n0\n", 0));
    press("Right");
    Sample sample = exactRead();
    waitUntil(
        kPatience,
        [&] {
            sample = exactRead();
            EXPECT_EQ(sample.y, 300);
            return sample.x < 100 || sample.y != 300;
        },
        0ms);
    release("Right");
    EXPECT_LT(sample.x, 100) << "moving right from 780, the dot never came in at the left";
}

TEST_F(RealWindowTest, HeldPageUpWidensTheOrbitToItsLimit) {
    ASSERT_NO_FATAL_FAILURE(start("400 300\nn\n12\n", 12));
    press("Prior");
    radius = kMaxRadius;
    std::optional<int> phase;
    waitUntil(
        kPatience,
        [&] {
            // Only a picture that is wide enough is worth comparing with the frames at radius 200.
            const Sample sample = capture();
            if (orbitExtent(sample) >= kMaxRadius) {
                phase = oracle.phaseShown(sample.shot, dots, radius);
            }
            return phase.has_value();
        },
        0ms);
    release("Prior");
    EXPECT_TRUE(phase) << "the orbit never reached radius 200 exactly";
    const Sample after = exactRead();
    EXPECT_EQ(after.x, 400);
    EXPECT_EQ(after.y, 300);
}

// Keypad + and, on keyboards without a keypad, the = key beside the main row's digits.
class SpeedKeyTest : public RealWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SpeedKeyTest, HeldRaisesTheSpeedToThirtyPixelsAFrame) {
    ASSERT_NO_FATAL_FAILURE(start("100 300\nn\n1\n", 1));
    press(GetParam());
    readAfter(exactRead(), kMaxSpeed + 2);
    release(GetParam());
    press("Right");
    const Sample pressed = exactRead();
    // A frame in which the dot wraps around is drawn around the unwrapped position, so it is no
    // still frame; pairs that cross the edge are passed over.
    const int checked =
        checkPairsOfReads(pressed, 2, [](const Sample& from, const Sample& to, int frames) {
            if (from.x + kMaxSpeed * frames >= kPlayfieldWidth) {
                return false;
            }
            EXPECT_EQ(to.x - from.x, kMaxSpeed * frames);
            EXPECT_EQ(to.y, 300);
            return true;
        });
    release("Right");
    EXPECT_EQ(checked, 2) << "no two reads of the moving dot between the edges";
}

INSTANTIATE_TEST_SUITE_P(SpeedKeys, SpeedKeyTest, ::testing::Values("KP_Add", "equal"),
                         [](const ::testing::TestParamInfo<const char*>& key) {
                             return std::string(key.param);
                         });

TEST_F(RealWindowTest, CommaAnswerAndYesGiveThePositionAndInertia) {
    ASSERT_NO_FATAL_FAILURE(start("100,200\nyes\n1\n", 1));
    const Sample first = exactRead();
    EXPECT_EQ(first.x, 100);
    EXPECT_EQ(first.y, 200);
    press("Right");
    waitUntil(
        kPatience, [this] { return capture().x >= 104; }, 0ms);
    release("Right");
    // Without the key the dot keeps one velocity, the same in every pair of reads.
    int velocity = 0;
    const int checked = checkPairsOfReads(
        readStillFrame(), 2, [&velocity](const Sample& from, const Sample& to, int frames) {
            if (to.x <= from.x) {
                return false;
            }
            if (velocity == 0) {
                EXPECT_EQ((to.x - from.x) % frames, 0);
                velocity = (to.x - from.x) / frames;
            }
            EXPECT_EQ(to.x - from.x, velocity * frames);
            EXPECT_EQ(to.y, 200);
            return true;
        });
    EXPECT_EQ(checked, 2) << "with inertia the dot should keep moving";
}

TEST_F(RealWindowTest, EscapeEndsWithStatusZeroAndClosesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(start("793 0\nn\n3\n", 3));
    press("Escape");
    expectEndWithStatusZero();
    release("Escape");
    EXPECT_EQ(program->output(), kGuideAndPrompts + kXCorrected);
}

// Inertia on with keypad 2, off with keypad 1: with NumLock off, as on a fresh X server, the keypad
// sends its other keys (End, Down), which must still count as keypad 1 and 2.
class KeypadInertiaTest : public RealWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(KeypadInertiaTest, KeypadTwoKeepsTheDotMovingAndKeypadOneStopsIt) {
    ASSERT_NO_FATAL_FAILURE(start("300 300\nn\n1\n", 1));
    if (GetParam()) {
        press("Num_Lock");
        release("Num_Lock");
    }
    ASSERT_EQ(session->numLockOn(), GetParam());
    press("KP_2");
    // The frame under way may have read the keys just before the press: two frames on, one that
    // read them after it has been drawn.
    readAfter(exactRead(), 2);
    release("KP_2");
    press("Right");
    waitUntil(
        kPatience, [this] { return capture().x != 300; }, 0ms);
    release("Right");
    // Nothing is held now: with inertia on, the dot keeps moving.
    const Sample released = readAfter(readStillFrame(), 1);
    EXPECT_NE(readAfter(released, 2).x, released.x) << "keypad 2 did not switch inertia on";
    press("KP_1");
    const Sample stopped = readAfter(readStillFrame(), 2);
    release("KP_1");
    EXPECT_EQ(readAfter(stopped, 3).x, stopped.x) << "keypad 1 did not switch inertia off";
}

INSTANTIATE_TEST_SUITE_P(NumLock, KeypadInertiaTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& numLock) {
                             return numLock.param ? "On" : "Off";
                         });

// On a HiDPI display, a Wayland output or a browser's screen at scale 2: the window keeps its
// 800 x 600 as the desktop (the page) counts it, and each pixel of the game is a sharp 2 x 2 block
// of the screen's, no smoothed edge anywhere. Registered for Wayland sessions and Chromium only.
class HiDpiTest : public RealWindowTest {
  protected:
    HiDpiTest() : RealWindowTest(2) {}
};

TEST_F(HiDpiTest, AtScaleTwoEachPixelOfTheGameIsASharpBlockOfFour) {
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n12\n", 12));
    const Screenshot shot = session->capture(window);
    ASSERT_EQ(shot.width, 1600);
    ASSERT_EQ(shot.height, 1200);
    Screenshot pixels{800, 600, {}};
    int blurred = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const unsigned long colour = shot.at(2 * x, 2 * y);
            blurred += shot.at(2 * x + 1, 2 * y) != colour || shot.at(2 * x, 2 * y + 1) != colour ||
                       shot.at(2 * x + 1, 2 * y + 1) != colour;
            pixels.pixels.push_back(colour);
        }
    }
    EXPECT_EQ(blurred, 0) << "game pixels that are no sharp 2 x 2 block";
    EXPECT_TRUE(oracle.phaseShown(pixels, dots, radius)) << "no frame of the frame step";
    press("Escape");
    expectEndWithStatusZero();
    release("Escape");
}

using RealWindowOnPosixTest = RealWindowTest;

// As when the session crashes or ends under the program: a line and status 1, soon, and neither
// a crash nor a hang. (The program notices within a frame or two.)
TEST_F(RealWindowOnPosixTest, LosingTheDisplayEndsTheRunWithStatusOne) {
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n3\n", 3));
    ASSERT_TRUE(session->killServer()) << "this session's server cannot be killed";
    const Ending ending = program->wait(10s);
    EXPECT_EQ(ending.kind, Ending::Kind::Exited) << "errors: " << program->errors();
    EXPECT_EQ(ending.code, 1);
    // An X client whose server is gone is ended by Xlib itself, with its own line, before SDL
    // can tell the program; in Wayland the program's line is the last (the libraries under the
    // SDL2-based runtime may have their say first).
    const std::string errors = program->errors();
    const std::vector<std::string> environment = session->environment();
    const bool onX =
        std::find(environment.begin(), environment.end(), "WAYLAND_DISPLAY") != environment.end();
    if (onX) {
        EXPECT_NE(errors.find("XIO:  fatal IO error"), std::string::npos) << errors;
    } else {
        EXPECT_EQ(errors.substr(errors.rfind('\n', errors.size() - 2) + 1), kDisplayLost + "\n")
            << "no line that says why: " << errors;
    }
}

TEST_F(RealWindowOnPosixTest, SigtermEndsWithStatusZeroAndClosesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n3\n", 3));
    program->sendSignal(SIGTERM);
    expectEndWithStatusZero();
}

// The web page as a page, in Chromium, on the screens it shows it as: it fits every window from a
// phone's to a 4K monitor's, upright and sideways, never zoomed out; and served from a web host
// it installs as an app that plays with the host gone. Registered for Chromium only.
class PageTest : public RealWindowTest {
  protected:
    BrowserSession& page() { return dynamic_cast<BrowserSession&>(*session); }

    // Nothing to scroll, the canvas 4:3 and wholly in the window, the console's text 12 px at
    // least, and on a touch screen every key's control in the window too, large enough for a
    // finger.
    void expectFits(int width, int height, bool touch) {
        // The browser tells the page of its new window with a frame of its own: a second, even on
        // a loaded machine, is far more than the page needs to fit it.
        nlohmann::json layout;
        waitUntil(std::chrono::seconds(1), [&] {
            layout = page().layout();
            return layout.is_object() && layout["page"]["width"] <= width &&
                   layout["page"]["height"] <= height && layout["canvas"]["right"] <= width &&
                   layout["canvas"]["bottom"] <= height &&
                   layout["controls"].value("right", 0.0) <= width &&
                   layout["controls"].value("bottom", 0.0) <= height;
        });
        ASSERT_TRUE(layout.is_object()) << "the page says nothing of its layout";
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        EXPECT_EQ(layout["window"]["width"], width) << "the page is zoomed";
        EXPECT_EQ(layout["window"]["height"], height);
        EXPECT_LE(layout["page"]["width"], width) << "the page scrolls";
        EXPECT_LE(layout["page"]["height"], height) << "the page scrolls";
        const nlohmann::json& canvas = layout["canvas"];
        EXPECT_GE(canvas["left"], 0);
        EXPECT_GE(canvas["top"], 0);
        EXPECT_LE(canvas["right"], width);
        EXPECT_LE(canvas["bottom"], height);
        EXPECT_NEAR((canvas["right"].get<double>() - canvas["left"].get<double>()) * 3,
                    (canvas["bottom"].get<double>() - canvas["top"].get<double>()) * 4, 0.5);
        EXPECT_GE(layout["consoleTextSize"], 12);
        const nlohmann::json& controls = layout["controls"];
        if (touch) {
            EXPECT_EQ(controls["count"], 11) << "a control for each of the game's keys";
            EXPECT_GE(controls["smallest"], 40);
            EXPECT_GE(controls["left"], 0);
            EXPECT_GE(controls["top"], 0);
            EXPECT_LE(controls["right"], width);
            EXPECT_LE(controls["bottom"], height);
        } else {
            EXPECT_EQ(controls["count"], 0) << "touch controls without a touch screen";
        }
    }

    void endWithEscape() {
        press("Escape");
        expectEndWithStatusZero();
        release("Escape");
    }
};

TEST_F(PageTest, FitsEveryWindowFromAPhoneToA4kMonitorAndAgainWhenTurned) {
    struct Screen {
        const char* name;
        int width;
        int height;
        double scale;
        bool touch;
    };
    for (const Screen& screen :
         {Screen{"a small phone", 360, 640, 2, true}, Screen{"a phone", 390, 844, 3, true},
          Screen{"a tablet", 768, 1024, 2, true}, Screen{"a netbook", 1024, 600, 1, false},
          Screen{"a laptop", 1366, 625, 1, false}, Screen{"a desktop", 1920, 1080, 1, false},
          Screen{"a 4K monitor", 3840, 2160, 1, false}}) {
        SCOPED_TRACE(screen.name);
        ASSERT_TRUE(page().showAs(screen.width, screen.height, screen.scale, screen.touch));
        ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n12\n", 12));
        expectFits(screen.width, screen.height, screen.touch);
        // Turned, the screen's sides swap, and the page fits it again at once.
        ASSERT_TRUE(page().showAs(screen.height, screen.width, screen.scale, screen.touch));
        expectFits(screen.height, screen.width, screen.touch);
        exactRead();
        endWithEscape();
    }
}

TEST_F(PageTest, ServedFromAWebHostItInstallsAndPlaysWithTheHostGone) {
    // A web host of this test's own, which it can take away: the page's folder on the loopback.
    const std::string file = std::getenv("ORBITDOTS_PAGE");
    const std::string folder = file.substr(7, file.rfind('/') - 7);
    ChildProcess host(
        {"/usr/bin/python3", supportFolder() + "/browser_program.py", "serve-page", folder}, {}, "",
        ChildProcess::Options{false, true});
    ASSERT_TRUE(host.outputEndsWithin("ready\n", kPatience)) << host.errors();
    setenv("ORBITDOTS_PAGE", announcedValue(announcement(host.output()), "ADDRESS").c_str(), 1);
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n1\n", 1));
    EXPECT_TRUE(waitUntil(kPatience, [this] { return page().servedByServiceWorker(); }))
        << "no service worker serves the page";
    EXPECT_EQ(page().installability(), std::vector<std::string>{})
        << "what keeps the page from being installed";
    endWithEscape();
    host.stop();
    ASSERT_TRUE(page().keepNothingInHttpCache());
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n1\n", 1));
    const Sample sample = exactRead();
    EXPECT_EQ(sample.x, 100);
    EXPECT_EQ(sample.y, 200);
    endWithEscape();
}

// A frame in which the dot wraps around at the right edge is drawn around the position before the
// wrap-around. At most phases it shows that phase's still frame; at a few it shows the next
// phase's (dots a pixel apart), and counted as that it would make a frame too few: such a picture
// gives no phase.
TEST(FrameOracleTest, AFrameThatWrapsAroundCountsOnlyAsItsOwnPhase) {
    const FrameOracle oracle;
    ASSERT_TRUE(oracle.ready());
    for (const auto& [angle, phase] :
         std::vector<std::pair<int, std::optional<int>>>{{180, 180}, {186, std::nullopt}}) {
        const Screenshot wrapping = oracle.frame(kPlayfieldWidth, 300, 1, kStartRadius, angle);
        EXPECT_EQ(wrapping.find(kRedPixel), (std::optional<std::pair<int, int>>{{0, 300}}));
        EXPECT_EQ(oracle.phaseShown(wrapping, 1, kStartRadius), phase) << "at " << angle;
    }
}

}  // namespace
