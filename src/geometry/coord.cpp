#include "geometry/coord.h"

#include <cstdint>
#include <iostream>

#include "common/console_text.h"
#include "common/playfield.h"

namespace {

constexpr int kVelocityLimit = 50;

bool onAxis(int value, int axisLength) {
    return value >= 0 && value < playfieldLimit(axisLength);
}

void reportCorrection(Text invalid, Text reset) {
    std::cout << consoleText(invalid) << std::endl;
    std::cout << consoleText(reset) << std::endl;
}

int limitedSum(int value, int d) {
    const std::int64_t sum = std::int64_t{value} + d;
    return sum >= -kVelocityLimit && sum <= kVelocityLimit ? static_cast<int>(sum) : value;
}

}  // namespace

Coord::Coord(int startX, int startY) : x(startX), y(startY) {
    if (!onAxis(x, screen->w)) {
        reportCorrection(Text::InvalidX, Text::ResetX);
        x = 0;
    } else if (!onAxis(y, screen->h)) {
        reportCorrection(Text::InvalidY, Text::ResetY);
        y = 0;
    }
}

void Coord::addX(int d) {
    x = limitedSum(x, d);
}

void Coord::addY(int d) {
    y = limitedSum(y, d);
}

Coord Coord::operator+(Coord other) const {  // NOLINT(performance-unnecessary-value-param)
    const std::int64_t sx = std::int64_t{x} + other.x;
    const std::int64_t sy = std::int64_t{y} + other.y;
    const int maxX = playfieldLimit(screen->w);
    const int maxY = playfieldLimit(screen->h);
    Coord temp;
    if (sx > maxX) {
        temp.setX(maxX);
        temp.setY(clampToInt(sy));
    } else if (sy > maxY) {
        temp.setX(clampToInt(sx));
        temp.setY(maxY);
    } else {
        temp.setX(clampToInt(sx));
        temp.setY(clampToInt(sy));
    }
    return temp;
}

Coord Coord::operator-(Coord other) const {  // NOLINT(performance-unnecessary-value-param)
    const std::int64_t dx = std::int64_t{x} - other.x;
    const std::int64_t dy = std::int64_t{y} - other.y;
    Coord temp;
    if (dx < 0) {
        temp.setX(0);
        temp.setY(clampToInt(dy));
    } else if (dy < 0) {
        temp.setX(clampToInt(dx));
        temp.setY(0);
    } else {
        temp.setX(clampToInt(dx));
        temp.setY(clampToInt(dy));
    }
    return temp;
}
