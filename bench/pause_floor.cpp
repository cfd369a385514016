// The frame loop's pause and nothing else, traced the same way as the program: the floor under
// the measured frame period that tracing and the timer add.
#include <SDL.h>

#include "app/scene.h"

int main(int /*argc*/, char** /*argv*/) {
    while (true) {
        SDL_Delay(kFramePauseMs);
    }
}
