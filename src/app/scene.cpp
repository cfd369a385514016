#include "scene.h"

#include "orbit.h"
#include "platform.h"
#include "playfield.h"
#include "video.h"

namespace {

constexpr Uint32 kWhite = 0x00FFFFFF;
constexpr Uint32 kRed = 0x00FF0000;
constexpr Uint16 kSteeredDotSide = 2;

void wrapPlayer(Coord& player) {
    player.setX(wrapIntoPlayfield(player.getX(), screen->w));
    player.setY(wrapIntoPlayfield(player.getY(), screen->h));
}

void drawSteeredDot(SDL_Rect& rtDot, const Coord& player) {
    rtDot.x = toRectField(player.getX());
    rtDot.y = toRectField(player.getY());
    // SDL writes the clipped size back into the rectangle it is given; a copy keeps the dot's
    // own size whole for later frames.
    SDL_Rect area = rtDot;
    SDL_FillRect(screen, &area, pixelShowing(kRed));
}

}  // namespace

Scene::Scene(int x1, int y1, int DotNum) : player(x1, y1), dots(createOrbitDots(DotNum, player)) {
    rtDot.w = kSteeredDotSide;
    rtDot.h = kSteeredDotSide;
}

bool runFrame(Scene& scene, Input& input) {
    const bool escapeHeld = input.update() == 1;
    if (escapeHeld || stopRequested()) {
        return false;
    }
    if (input.closeRequested() && displayGone()) {
        scene.displayLost = true;
        return false;
    }
    scene.player = scene.player + input.getVelocity();
    SDL_FillRect(screen, nullptr, pixelShowing(kWhite));
    // The dots circle the player where it moved to, before it wraps around.
    placeOrbitDots(scene.dots, scene.rtCenter, scene.player, input.radius, scene.angle);
    wrapOrbitDots(scene.dots);
    wrapPlayer(scene.player);
    drawOrbitDots(scene.dots);
    drawSteeredDot(scene.rtDot, scene.player);
    SDL_Flip(screen);
    scene.angle = advancePhase(scene.angle);
    return true;
}

int runFrameLoop(Scene& scene, Input& input) {
    while (runFrame(scene, input)) {
        SDL_Delay(kFramePauseMs);
    }
    restoreDefaultStopHandlers();
    SDL_Quit();
    return scene.displayLost ? kExitDisplayLost : 0;
}
