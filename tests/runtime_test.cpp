#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The suites run once per SDL 1.2 runtime, the SDL2-based one chosen through the library path;
// this makes sure each run got the one it asked for.
TEST(SdlRuntime, IsTheOneTheLibraryPathAsksFor) {
    const char* path = std::getenv("LD_LIBRARY_PATH");
    const bool compatAsked =
        path != nullptr && std::string(path).find("sdl12-compat") != std::string::npos;
    const SDL_version* linked = SDL_Linked_Version();
    ASSERT_EQ(linked->major, 1);
    ASSERT_EQ(linked->minor, 2);
    // The SDL2-based runtime counts its releases from 1.2.50 on.
    EXPECT_EQ(linked->patch >= 50, compatAsked)
        << "linked SDL 1.2." << static_cast<int>(linked->patch);
}

}  // namespace
