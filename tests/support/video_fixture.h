#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <iosfwd>
#include <sstream>
#include <streambuf>
#include <vector>

#include "common/playfield.h"
#include "expected_colours.h"
#include "screenshot.h"

// Sends std::cout into a string for as long as it lives.
class CoutCapture {
  public:
    CoutCapture();
    ~CoutCapture();
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;
    std::string text() const { return captured.str(); }

  private:
    std::ostringstream captured;
    std::streambuf* original;
};

// The pixels of the video surface, read where they are: the surface stays locked while the object
// lives. On SDL's dummy driver a pixel is 0xRRGGBB, as in a Screenshot.
class SurfacePixels {
  public:
    explicit SurfacePixels(SDL_Surface* read = screen);
    ~SurfacePixels();
    SurfacePixels(const SurfacePixels&) = delete;
    SurfacePixels& operator=(const SurfacePixels&) = delete;

    Uint32 at(int x, int y) const;
    // Whether row y is the shot's row y.
    bool rowIs(const Screenshot& shot, int y) const;
    // A copy of the whole picture.
    Screenshot shot() const;

  private:
    SDL_Surface* surface;
};

// A test on SDL's dummy video driver, with the program's own 800 x 600 x 32 mode set, no keys
// held and the speed back at 1.
class DummyVideoTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Holds exactly these keys from now on, as if SDL had read them from the keyboard.
    static void hold(const std::vector<SDLKey>& keys);
    static void releaseAll();

    static Uint32 pixelAt(int x, int y);
    // Whether the side x side square at (x, y) is all of one colour, as far as it lies on the
    // surface.
    static bool squareIs(int x, int y, int side, Uint32 colour);
    // How many pixels of the surface have this colour.
    static int countPixels(Uint32 colour);
};
