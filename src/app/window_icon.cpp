#include "app/window_icon.h"

#include <SDL.h>

#include <algorithm>

#include "app/colours.h"

namespace {

constexpr int kSide = 48;
// The icon's own colours beside the game's (0xRRGGBB, as its surface keeps them).
constexpr Uint32 kOutside = 0xFF00FF;  // the colour key: left out of the icon
constexpr Uint32 kBorder = 0x9A9A9A;

// A rounded square from `low` to `high` (edges, in half pixels) with corner radius `radius`.
struct RoundedSquare {
    int low;
    int high;
    int radius;

    // Whether the pixel whose centre is at (x2, y2), in half pixels, lies inside.
    bool contains(int x2, int y2) const {
        const int dx = std::max({low + radius - x2, 0, x2 - (high - radius)});
        const int dy = std::max({low + radius - y2, 0, y2 - (high - radius)});
        return x2 > low && x2 < high && y2 > low && y2 < high &&
               dx * dx + dy * dy <= radius * radius;
    }
};

// The tile: a one-pixel grey border from 2 to 46 around white from 3 to 45, corners rounded by
// 7 pixels at the border's middle.
constexpr RoundedSquare kTileOuter{4, 92, 15};
constexpr RoundedSquare kTileInner{6, 90, 13};

Uint32 tileColourAt(int x, int y) {
    const int x2 = 2 * x + 1;
    const int y2 = 2 * y + 1;
    if (kTileInner.contains(x2, y2)) {
        return kWhite;
    }
    return kTileOuter.contains(x2, y2) ? kBorder : kOutside;
}

void fillSquare(SDL_Surface* icon, Sint16 x, Sint16 y, Uint16 side, Uint32 colour) {
    SDL_Rect square{x, y, side, side};
    SDL_FillRect(icon, &square, colour);
}

void drawTile(SDL_Surface* icon) {
    for (Sint16 y = 0; y < kSide; ++y) {
        for (Sint16 x = 0; x < kSide; ++x) {
            fillSquare(icon, x, y, 1, tileColourAt(x, y));
        }
    }
}

// The eight black dots, 6 pixels wide, around the red one, counter-clockwise from below.
void drawDots(SDL_Surface* icon) {
    constexpr Sint16 kCorners[8][2] = {{21, 35}, {31, 31}, {35, 21}, {31, 11},
                                       {21, 7},  {11, 11}, {7, 21},  {11, 31}};
    for (const auto& corner : kCorners) {
        fillSquare(icon, corner[0], corner[1], 6, kBlack);
    }
    fillSquare(icon, 20, 20, 8, kRed);
}

}  // namespace

void setWindowIcon() {
    SDL_Surface* icon = SDL_CreateRGBSurface(SDL_SWSURFACE, kSide, kSide, 32, 0x00FF0000,
                                             0x0000FF00, 0x000000FF, 0);
    if (icon == nullptr) {
        return;
    }
    drawTile(icon);
    drawDots(icon);
    SDL_SetColorKey(icon, SDL_SRCCOLORKEY, kOutside);
    // SDL makes the window's icon from a copy; the picture is not needed afterwards.
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}
