#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The suite runs once per SDL 1.2 runtime; this makes sure each run got the one it asked for.
TEST(SdlRuntime, IsTheOneThisRunAskedFor) {
    const char* asked = std::getenv("ORBITDOTS_TEST_RUNTIME");
    if (asked == nullptr) {
        GTEST_SKIP() << "run outside CTest: no runtime asked for";
    }
    const SDL_version* linked = SDL_Linked_Version();
    ASSERT_EQ(linked->major, 1);
    ASSERT_EQ(linked->minor, 2);
    // The SDL2-based runtime counts its releases from 1.2.50 on.
    const bool compat = linked->patch >= 50;
    EXPECT_EQ(std::string(asked), compat ? "compat" : "classic")
        << "linked SDL 1.2." << static_cast<int>(linked->patch);
}

}  // namespace
