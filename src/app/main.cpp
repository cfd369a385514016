// SDL.h stays out of this file: on Windows it renames main to SDL_main for SDL's glue library,
// which would make this a GUI program without a console. The program starts at its own main.
#include <cstdlib>
#include <iostream>

#include "app/program.h"
#include "common/console_text.h"

int main(int /*argc*/, char** /*argv*/) {
    prepareConsole();
    // Through exit, not by returning: in the browser main has long returned to the page once
    // the run ends (each wait for the console or the next frame hands the page its turn), and
    // only exit tells the page how it ended.
    std::exit(static_cast<int>(runProgram(std::cin, std::cout, std::cerr)));
}
