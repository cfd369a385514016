#include "video_fixture.h"

#include <cstring>
#include <iostream>

#include "input.h"
#include "playfield.h"
#include "video.h"

CoutCapture::CoutCapture() : original(std::cout.rdbuf(captured.rdbuf())) {}

CoutCapture::~CoutCapture() {
    std::cout.rdbuf(original);
}

void DummyVideoTest::SetUp() {
    // SDL's own putenv: the same call on every platform. The text stays, as putenv wants.
    SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
    std::ostringstream err;
    ASSERT_TRUE(startVideo(err)) << err.str();
    ASSERT_EQ(screen->format->BitsPerPixel, 32);
    releaseAll();
    speed = 1;
}

void DummyVideoTest::TearDown() {
    SDL_Quit();
    screen = nullptr;
}

void DummyVideoTest::hold(const std::vector<SDLKey>& keys) {
    releaseAll();
    Uint8* state = SDL_GetKeyState(nullptr);
    for (const SDLKey key : keys) {
        state[key] = 1;
    }
}

void DummyVideoTest::releaseAll() {
    int count = 0;
    Uint8* state = SDL_GetKeyState(&count);
    std::memset(state, 0, static_cast<size_t>(count));
}

const Uint8* DummyVideoTest::rowOf(int y) {
    return static_cast<const Uint8*>(screen->pixels) +
           static_cast<std::ptrdiff_t>(y) * screen->pitch;
}

Uint32 DummyVideoTest::pixelAt(int x, int y) {
    SDL_LockSurface(screen);
    Uint32 value = 0;
    std::memcpy(&value, rowOf(y) + static_cast<std::ptrdiff_t>(x) * sizeof value, sizeof value);
    SDL_UnlockSurface(screen);
    return value;
}

bool DummyVideoTest::squareIs(int x, int y, int side, Uint32 colour) {
    for (int py = y; py < y + side; ++py) {
        for (int px = x; px < x + side; ++px) {
            const bool onSurface = px >= 0 && py >= 0 && px < screen->w && py < screen->h;
            if (onSurface && pixelAt(px, py) != colour) {
                return false;
            }
        }
    }
    return true;
}

int DummyVideoTest::countPixels(Uint32 colour) {
    int count = 0;
    for (int y = 0; y < screen->h; ++y) {
        for (int x = 0; x < screen->w; ++x) {
            count += pixelAt(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}
