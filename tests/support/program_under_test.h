#pragma once

#include <memory>
#include <string>
#include <vector>

#include "child_process.h"

// The program that the process tests start: the built orbitdots (a cross-built one through the
// tests' emulator); in the runs registered for Windows (ORBITDOTS_UNDER_WINE set), orbitdots.exe
// from the Windows zip through Wine, in the project's own Wine prefix; in those registered for a
// browser (ORBITDOTS_BROWSER set), the web page from the web zip, in that browser
// (tests/support/browser_program.py).
bool underWine();

// The key guide and the three prompts, as a UTF-8 console shows them; the lines that correct an
// invalid x or y of the start position.
extern const std::string kGuideAndFirstPrompt;
extern const std::string kGuideAndPrompts;
extern const std::string kXCorrected;
extern const std::string kYCorrected;

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

// Under Wine, waits until the Windows desktop of the last program, which belongs to the X server
// it started on and ends with it, has ended: a program that starts meanwhile finds no desktop to
// open its window on. Elsewhere returns at once.
void waitForLastWineDesktopToEnd();
