// The real-window suite: the program in a private session per test, or a shared one (session.h),
// wherever tests/CMakeLists.txt registers it: X and Wayland on each SDL 1.2 runtime, the Windows
// program under Wine, the page in each browser, the installed package. RealWindowTest holds on
// every one; RealWindowOnPosixTest what only POSIX signals and a session that can be killed do;
// HiDpiTest, where a session has a screen at scale 2 (Wayland, Chromium).
#include <csignal>
#include <thread>

#include "real_window.h"
#include "sdl_runtime.h"

namespace {

using namespace std::chrono_literals;

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
        kPatience, [this] { return capture().x >= 104; }, kAtOnce);
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

// A game pad, one more way to hold the keys: faked below SDL (session.h), as SDL reads a pad.
using PadTest = RealWindowTest;

TEST_F(PadTest, TheDpadAndTheStickSteerOnePixelEachFrameAndBackEnds) {
    pad = session->plugInPad();
    ASSERT_NO_FATAL_FAILURE(start("300 300\nn\n1\n", 1));
    holdPad("dpad-right", true);
    EXPECT_EQ(checkPairsOfReads(exactRead(), 2,
                                [](const Sample& from, const Sample& to, int frames) {
                                    EXPECT_EQ(to.x - from.x, frames);
                                    EXPECT_EQ(to.y, 300);
                                    return true;
                                }),
              2);
    holdPad("dpad-right", false);
    holdPad("stick-up", true);
    const Sample turned = readAfter(exactRead(), 2);
    EXPECT_EQ(checkPairsOfReads(turned, 2,
                                [&turned](const Sample& from, const Sample& to, int frames) {
                                    EXPECT_EQ(from.y - to.y, frames);
                                    EXPECT_EQ(to.x, turned.x) << "the d-pad still holds Right";
                                    return true;
                                }),
              2);
    holdPad("stick-up", false);
    holdPad("back", true);
    expectEndWithStatusZero();
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
        kPatience, [this] { return capture().x != 300; }, kAtOnce);
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
    const Ending ending = program->wait(std::chrono::seconds(10));
    EXPECT_EQ(ending.kind, Ending::Kind::Exited) << "errors: " << program->errors();
    EXPECT_EQ(ending.code, 1);
    // The program's line is the last: the libraries under it may have their say first (Xlib's
    // own line, as it ends the program when its X server has gone).
    const std::string errors = program->errors();
    EXPECT_EQ(errors.substr(errors.rfind('\n', errors.size() - 2) + 1), kDisplayLost + "\n")
        << "no line that says why: " << errors;
}

TEST_F(RealWindowOnPosixTest, SigtermEndsWithStatusZeroAndClosesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(start("100 200\nn\n3\n", 3));
    program->sendSignal(SIGTERM);
    expectEndWithStatusZero();
}

}  // namespace
