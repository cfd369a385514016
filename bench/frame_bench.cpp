// The cost of one frame step alone (reading the keys, moving, clearing, placing and drawing 12
// orbiting dots, flipping) on SDL's dummy video driver, without the pause between frames.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

#include "app/scene.h"
#include "app/video.h"
#include "common/playfield.h"
#include "input/input.h"

namespace {

void frameStepWithTwelveDots(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!startVideo(std::cerr)) {
        state.SkipWithError("video did not start");
        return;
    }
    Input input;
    Scene scene(400, 300, 12);
    for (auto _ : state) {
        benchmark::DoNotOptimize(runFrame(scene, input));
    }
    SDL_Quit();
}

}  // namespace

BENCHMARK(frameStepWithTwelveDots)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
