// SDL.h stays out of this file: on Windows it renames main to SDL_main for SDL's glue library,
// which would make this a GUI program without a console. The program starts at its own main.
#include <iostream>

#include "console_text.h"
#include "program.h"

int main(int /*argc*/, char** /*argv*/) {
    prepareConsole();
    return runProgram(std::cin, std::cout, std::cerr);
}
