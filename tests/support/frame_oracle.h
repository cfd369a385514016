#pragma once

#include <optional>

#include "screenshot.h"

// The program's own frame step, run in this process on SDL's dummy driver, as the judge of what a
// real window may show: the headless tests pin its pictures down pixel by pixel, so a window is
// right when it shows exactly one of them. Needs no other SDL video in this process meanwhile.
class FrameOracle {
  public:
    FrameOracle();
    ~FrameOracle();
    FrameOracle(const FrameOracle&) = delete;
    FrameOracle& operator=(const FrameOracle&) = delete;

    bool ready() const { return started; }

    // The phase (0, 3, ... 357 degrees) of the frame that the shot shows exactly: the steered dot
    // where the shot has it, still, DotNum dots at this radius. Nothing if no phase gives it, or
    // if a frame in which the dot wraps around gives it at another phase.
    std::optional<int> phaseShown(const Screenshot& shot, int DotNum, int radius) const;

    // The picture of the frame step with the steered dot at (x, y) before the wrap-around.
    Screenshot frame(int x, int y, int DotNum, int radius, int angle) const;

  private:
    bool started = false;
};

// Frames from one phase to a later one, counted modulo a full turn of 120 frames.
int framesBetween(int fromPhase, int toPhase);
