#include "screenshot.h"

#include <algorithm>

int Screenshot::count(unsigned long colour) const {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

std::optional<std::pair<int, int>> Screenshot::find(unsigned long colour) const {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (at(x, y) == colour) {
                return std::pair{x, y};
            }
        }
    }
    return std::nullopt;
}
