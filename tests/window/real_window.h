#pragma once

// The built program in a real window of a session (session.h), as the real-window and the page's
// tests start it: answers piped to standard input, keys held through the session, and the window
// read back. Every picture read must be exactly one that the frame step draws (frame_oracle.h).
// Nothing depends on how fast the machine is: with one orbiting dot the phase a picture shows
// counts the frames, so motion is checked per frame, and a wait only ends early when what it
// waits for has happened.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "expected_colours.h"
#include "frame_oracle.h"
#include "program_under_test.h"
#include "session.h"
#include "wait.h"

using Clock = std::chrono::steady_clock;

inline constexpr int kStartRadius = 30;
inline constexpr int kMaxRadius = 200;
inline constexpr int kMaxSpeed = 30;
inline constexpr int kPlayfieldWidth = 793;
// Generous limits for waits that end as soon as their condition holds; only a program that
// hangs reaches them.
inline constexpr std::chrono::seconds kPatience{60};
// Frames are at least 20 ms apart, so fewer than a turn of 120 frames fits into this: a phase
// difference measured within it is the exact number of frames.
inline constexpr std::chrono::milliseconds kCountableSpan{2300};
// A wait that asks again at once.
inline constexpr std::chrono::milliseconds kAtOnce{0};

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
inline std::optional<int> framesApart(const Sample& from, const Sample& to) {
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
        if (pad) {
            const std::vector<std::string> padEnvironment = pad->environment();
            environment.insert(environment.end(), padEnvironment.begin(), padEnvironment.end());
        }
        program = startProgram(environment, answers);
        window = 0;
        // The runtime may replace its first window while it sets the mode: wait for one that
        // shows a frame.
        waitUntil(kPatience, [this] {
            const std::optional<WindowId> found = session->findWindow(800, 600);
            if (found && session->capture(*found).find(kRedPixel)) {
                window = *found;
            }
            return window != 0 || !program->runsFor(kAtOnce);
        });
        ASSERT_NE(window, 0U) << "no 800 x 600 window with a first frame; errors: "
                              << program->errors();
    }

    void press(const std::string& keysym) {
        EXPECT_TRUE(session->pressKey(keysym)) << "the session has no key " << keysym;
    }

    void release(const std::string& keysym) {
        EXPECT_TRUE(session->releaseKey(keysym)) << "the session has no key " << keysym;
    }

    void holdPad(const std::string& control, bool held) {
        EXPECT_TRUE(pad->hold(control, held)) << "the pad has no " << control;
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
            kAtOnce);
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
            kAtOnce);
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
            kAtOnce);
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
        EXPECT_FALSE(session->windowRemains(800, 600, std::chrono::seconds(10)))
            << "the window is still there";
    }

    std::unique_ptr<WindowSession> session;
    FrameOracle oracle;
    std::unique_ptr<ChildProcess> program;
    // Where a test plugs one in, before it starts the program.
    std::unique_ptr<Pad> pad;
    WindowId window = 0;
    int dots = 0;
    int radius = kStartRadius;
};
