// Counts every malloc, calloc and realloc of the process, SDL's included, while a run of frames
// goes on. Built without sanitizers, which bring allocators of their own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

#include "app/scene.h"
#include "common/playfield.h"
#include "input/input.h"
#include "video_fixture.h"

// glibc's own allocator, which the counting versions below hand every request to.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void noteAllocation() {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

}  // namespace

// NOLINTBEGIN(readability-inconsistent-declaration-parameter-name)
extern "C" void* malloc(std::size_t size) {
    noteAllocation();
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size) {
    noteAllocation();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, std::size_t size) {
    noteAllocation();
    return __libc_realloc(block, size);
}
// NOLINTEND(readability-inconsistent-declaration-parameter-name)

namespace {

using FrameAllocationTest = DummyVideoTest;

TEST_F(FrameAllocationTest, CountingSeesAllocations) {
    counting = true;
    allocations = 0;
    auto* block = static_cast<char*>(std::malloc(16));
    counting = false;
    std::free(block);
    EXPECT_EQ(allocations.load(), 1);
}

// The allocations of `frames` repetitions of `frame`.
template <typename Frame>
long allocationsOf(int frames, Frame frame) {
    counting = true;
    allocations = 0;
    for (int i = 0; i < frames; ++i) {
        frame();
    }
    counting = false;
    return allocations.load();
}

// The frame step allocates nothing of its own. Showing a frame may cost the runtime some: SDL 1.2
// and the SDL2-based runtime allocate nothing there, the runtime over SDL 3 two small blocks per
// frame. So the frames must allocate exactly what showing as many frames alone does.
TEST_F(FrameAllocationTest, FramesAllocateNothingBeyondShowingThem) {
    Input input;
    Scene scene(400, 300, 12);
    hold({SDLK_RIGHT, SDLK_DOWN, SDLK_PAGEUP, SDLK_KP_PLUS});
    ASSERT_EQ(runFrame(scene, input), FrameOutcome::Shown);
    SDL_Flip(screen);
    const long showing = allocationsOf(300, [] { SDL_Flip(screen); });
    EXPECT_EQ(allocationsOf(300, [&] { runFrame(scene, input); }), showing);
    EXPECT_LE(showing, 2 * 300) << "what SDL 3 costs at most";
}

}  // namespace
