#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A picture of a window: 0xRRGGBB per pixel, row by row.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned long> pixels;

    unsigned long at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    int count(unsigned long colour) const;
    // The top-left pixel of the given colour, scanning row by row, if there is one.
    std::optional<std::pair<int, int>> find(unsigned long colour) const;
};

// A picture in the PPM format (P6, 8 bits a channel), as grim writes it; empty if it is none.
Screenshot screenshotFromPpm(const std::string& ppm);
