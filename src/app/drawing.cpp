#include "app/drawing.h"

#include "common/playfield.h"
#include "platform/platform.h"

void fillScreen(std::uint32_t rgb) {
    SDL_FillRect(screen, nullptr, pixelShowing(screen->format, rgb));
}

void fillOnScreen(SDL_Rect area, std::uint32_t rgb) {
    SDL_FillRect(screen, &area, pixelShowing(screen->format, rgb));
}
