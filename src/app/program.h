#pragma once

#include <iosfwd>

#include "app/dialogue.h"

// main includes this header, and SDL's must stay out of it (see main.cpp).
class Input;

// The program's exit statuses.
enum class ExitStatus : int {
    // The run ended: Escape, or a stop request.
    Ended = 0,
    // The run could not start: the input ended during the dialogue, or video failed.
    NoRun = 1,
    // The display went away while the window was open.
    DisplayLost = 1,
};

// The whole run: key guide, dialogue, then the run in the window.
ExitStatus runProgram(std::istream& in, std::ostream& out, std::ostream& err);

// The run in the window, with the dialogue's answers: the stop handlers, SDL video and the
// window, the frames until the run ends. Each is set up here and ended again here, in the
// reverse order, on every way out. A line on `err` says why, where the run could not start or
// the display went away.
ExitStatus runInWindow(const Answers& answers, Input& input, std::ostream& err);
