#include <iostream>

#include "console_text.h"
#include "program.h"

int main(int /*argc*/, char** /*argv*/) {
    useLocaleConsoleEncoding();
    return runProgram(std::cin, std::cout, std::cerr);
}
