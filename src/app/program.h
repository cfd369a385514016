#pragma once

#include <iosfwd>

// Exit status when the run cannot start: the input ended during the dialogue, or video failed.
constexpr int kExitNoRun = 1;

// The whole run: key guide, dialogue, window, frames until Escape or a stop signal. Returns the
// process's exit status.
int runProgram(std::istream& in, std::ostream& out, std::ostream& err);
