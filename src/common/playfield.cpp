#include "common/playfield.h"

#include <limits>

SDL_Surface* screen = nullptr;

int wrapIntoPlayfield(int value, int axisLength) {
    const int limit = playfieldLimit(axisLength);
    if (value < 0) {
        return value + limit;
    }
    if (value >= limit) {
        return value - limit;
    }
    return value;
}

Sint16 toRectField(std::int64_t value) {
    // The unsigned conversion keeps the low 16 bits by definition; reading them back as signed is
    // two's complement on every compiler this program supports.
    return static_cast<Sint16>(static_cast<Uint16>(value));
}

int clampToInt(std::int64_t value) {
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

int truncateToInt(double value) {
    // 2^31 and -2^31 - 1 are exact in double; everything strictly between them truncates into
    // range.
    constexpr double kAboveMax = 2147483648.0;
    constexpr double kBelowMin = -2147483649.0;
    if (value >= kAboveMax) {
        return std::numeric_limits<int>::max();
    }
    if (value <= kBelowMin) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}
