// SIGINT and SIGTERM in the frame loop, raised in the test process itself.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

#include "app/program.h"
#include "app/scene.h"
#include "app/video.h"
#include "expected_texts.h"
#include "input/input.h"
#include "platform/platform.h"
#include "video_fixture.h"

namespace {

class StopSignalTest : public DummyVideoTest {
  protected:
    void SetUp() override {
        DummyVideoTest::SetUp();
        installStopHandlers();
    }
    void TearDown() override {
        restoreDefaultStopHandlers();
        DummyVideoTest::TearDown();
    }
    Input input;
};

TEST_F(StopSignalTest, SigtermEndsTheRunAtTheNextFrame) {
    Scene scene(100, 100, 2);
    ASSERT_EQ(runFrame(scene, input), FrameOutcome::Shown);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(stopRequested());
    EXPECT_EQ(runFrame(scene, input), FrameOutcome::RunEnded);
    EXPECT_EQ(scene.angle, 3) << "the stopped frame draws nothing";
}

TEST_F(StopSignalTest, SigintEndsTheFrameLoop) {
    Scene scene(100, 100, 2);
    ASSERT_EQ(std::raise(SIGINT), 0);
    EXPECT_EQ(runFrameLoop(scene, input), FrameOutcome::RunEnded);
    EXPECT_EQ(scene.angle, 0) << "the stopped frame draws nothing";
}

// However the run in the window ends, it ends what it started: where video cannot start, SDL is
// shut down again, and the stop requests have their default effect back, as during the dialogue.
TEST_F(StopSignalTest, TheRunInTheWindowEndsWhatItStartedWhereVideoCannotStart) {
    stopVideo();
    SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=none"));
    std::ostringstream err;
    EXPECT_EQ(runInWindow(Answers{100, 100, false, 2}, input, err), ExitStatus::NoRun);
    EXPECT_EQ(err.str().rfind(kVideoInitFailed, 0), 0U) << err.str();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0U);
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
    }
}

TEST_F(StopSignalTest, InstallingAgainStartsWithNoRequest) {
    ASSERT_EQ(std::raise(SIGTERM), 0);
    installStopHandlers();
    EXPECT_FALSE(stopRequested());
    Scene scene(100, 100, 0);
    EXPECT_EQ(runFrame(scene, input), FrameOutcome::Shown);
}

}  // namespace
