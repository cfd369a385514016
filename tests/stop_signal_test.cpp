// SIGINT and SIGTERM in the frame loop, raised in the test process itself.
#include <gtest/gtest.h>

#include <csignal>

#include "input.h"
#include "platform.h"
#include "scene.h"
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
    ASSERT_TRUE(runFrame(scene, input));
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(stopRequested());
    EXPECT_FALSE(runFrame(scene, input));
    EXPECT_EQ(scene.angle, 3) << "the stopped frame draws nothing";
}

TEST_F(StopSignalTest, SigintEndsTheLoopWithStatusZero) {
    Scene scene(100, 100, 2);
    ASSERT_EQ(std::raise(SIGINT), 0);
    EXPECT_EQ(runFrameLoop(scene, input), 0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0U);
}

TEST_F(StopSignalTest, InstallingAgainStartsWithNoRequest) {
    ASSERT_EQ(std::raise(SIGTERM), 0);
    installStopHandlers();
    EXPECT_FALSE(stopRequested());
    Scene scene(100, 100, 0);
    EXPECT_TRUE(runFrame(scene, input));
}

}  // namespace
