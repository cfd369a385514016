#include "screenshot.h"

#include <algorithm>
#include <sstream>
#include <string>

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

Screenshot screenshotFromPpm(const std::string& ppm) {
    Screenshot shot;
    std::istringstream in(ppm);
    std::string magic;
    int maximum = 0;
    in >> magic >> shot.width >> shot.height >> maximum;
    in.get();
    if (magic != "P6" || maximum != 255 || shot.width <= 0 || shot.height <= 0) {
        return {};
    }
    const auto size = static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height);
    shot.pixels.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const int red = in.get();
        const int green = in.get();
        const int blue = in.get();
        if (blue == EOF) {
            return {};
        }
        shot.pixels.push_back(static_cast<unsigned long>(red) << 16U |
                              static_cast<unsigned long>(green) << 8U |
                              static_cast<unsigned long>(blue));
    }
    return shot;
}
