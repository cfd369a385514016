#include <SDL.h>
#include <gtest/gtest.h>

#include "sdl_runtime.h"

namespace {

// Each run of the suites gets the SDL 1.2 runtime it names.
TEST(SdlRuntime, IsTheOneTheLibraryPathAsksFor) {
    const SDL_version* linked = SDL_Linked_Version();
    ASSERT_EQ(linked->major, 1);
    ASSERT_EQ(linked->minor, 2);
    // The SDL2-based runtime counts its releases from 1.2.50 on.
    EXPECT_EQ(linked->patch >= 50, sdl2BasedRuntimeAsked())
        << "linked SDL 1.2." << static_cast<int>(linked->patch);
}

}  // namespace
