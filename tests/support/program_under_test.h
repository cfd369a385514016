#pragma once

#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "expected_texts.h"

// The program that the process tests start, as their registration names it: ORBITDOTS_PROGRAM
// (the built orbitdots, the installed one, orbitdots.exe from the Windows zip), through
// ORBITDOTS_PROGRAM_RUNNER where one is named (qemu's user mode for another architecture, Wine);
// in a browser's session (ORBITDOTS_SESSION=browser), the web page ORBITDOTS_PAGE in the browser
// of ORBITDOTS_BROWSER_FOLDER, through tests/support/browser_program.py.
bool underWine();

// Starts the program with these extra environment variables ("NAME=value", or "NAME" to remove
// one), this standard input, and these arguments.
std::unique_ptr<ChildProcess> startProgram(const std::vector<std::string>& environment,
                                           const std::string& input,
                                           const std::vector<std::string>& arguments = {},
                                           bool keepInputOpen = false);

// Starts the program on a terminal of its own, as a user does from a console: `script` gives it
// a pseudo-terminal, and what is typed (ChildProcess::type) goes to that terminal. Its output is
// what the terminal shows, control sequences included.
std::unique_ptr<ChildProcess> startProgramOnTerminal(const std::vector<std::string>& environment);
