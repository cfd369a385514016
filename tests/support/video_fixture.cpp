#include "video_fixture.h"

#include <cstring>
#include <iostream>

#include "app/video.h"
#include "common/playfield.h"
#include "input/input.h"

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
    stopVideo();
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

SurfacePixels::SurfacePixels(SDL_Surface* read) : surface(read) {
    SDL_LockSurface(surface);
}

SurfacePixels::~SurfacePixels() {
    SDL_UnlockSurface(surface);
}

Uint32 SurfacePixels::at(int x, int y) const {
    const auto* row = static_cast<const Uint8*>(surface->pixels) +
                      static_cast<std::ptrdiff_t>(y) * surface->pitch;
    Uint32 value = 0;
    std::memcpy(&value, row + static_cast<std::ptrdiff_t>(x) * sizeof value, sizeof value);
    return value;
}

bool SurfacePixels::rowIs(const Screenshot& shot, int y) const {
    for (int x = 0; x < shot.width; ++x) {
        if (at(x, y) != shot.at(x, y)) {
            return false;
        }
    }
    return true;
}

Screenshot SurfacePixels::shot() const {
    Screenshot shot{surface->w, surface->h, {}};
    shot.pixels.reserve(static_cast<std::size_t>(shot.width) *
                        static_cast<std::size_t>(shot.height));
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            shot.pixels.push_back(at(x, y));
        }
    }
    return shot;
}

Uint32 DummyVideoTest::pixelAt(int x, int y) {
    return SurfacePixels().at(x, y);
}

bool DummyVideoTest::squareIs(int x, int y, int side, Uint32 colour) {
    const SurfacePixels pixels;
    for (int py = y; py < y + side; ++py) {
        for (int px = x; px < x + side; ++px) {
            const bool onSurface = px >= 0 && py >= 0 && px < screen->w && py < screen->h;
            if (onSurface && pixels.at(px, py) != colour) {
                return false;
            }
        }
    }
    return true;
}

int DummyVideoTest::countPixels(Uint32 colour) {
    return SurfacePixels().shot().count(colour);
}
