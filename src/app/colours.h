#pragma once

#include <cstdint>

// The game's colours, as 0xRRGGBB: the field, the orbiting dots and the steered dot; the window's
// icon shows them too.
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0xFF0000;
