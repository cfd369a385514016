#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The suites run once per SDL 1.2 runtime the system has: on the system's own, and where that is
// the classic one, once more on the SDL2-based one, chosen through the library path. This makes
// sure each run got the one it names.
TEST(SdlRuntime, IsTheOneTheLibraryPathAsksFor) {
    const char* path = std::getenv("LD_LIBRARY_PATH");
    const bool compatAsked =
        ORBITDOTS_SYSTEM_SDL_IS_COMPAT == 1 ||
        (path != nullptr && std::string(path).find("sdl12-compat") != std::string::npos);
    const SDL_version* linked = SDL_Linked_Version();
    ASSERT_EQ(linked->major, 1);
    ASSERT_EQ(linked->minor, 2);
    // The SDL2-based runtime counts its releases from 1.2.50 on.
    EXPECT_EQ(linked->patch >= 50, compatAsked)
        << "linked SDL 1.2." << static_cast<int>(linked->patch);
}

}  // namespace
