#pragma once

#include <cstdint>

// The game's colours as its pictures show them, 0xRRGGBB (on SDL's dummy driver a pixel is just
// that), written out here and not taken from the program: a wrong colour there must fail the
// tests.
constexpr std::uint32_t kWhitePixel = 0xFFFFFF;
constexpr std::uint32_t kBlackPixel = 0x000000;
constexpr std::uint32_t kRedPixel = 0xFF0000;
