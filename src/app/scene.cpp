#include "app/scene.h"

#include "app/colours.h"
#include "app/drawing.h"
#include "app/orbit.h"
#include "app/video.h"
#include "common/playfield.h"
#include "platform/platform.h"

namespace {

constexpr Uint16 kSteeredDotSide = 2;

void wrapPlayer(Coord& player) {
    player.setX(wrapIntoPlayfield(player.getX(), screen->w));
    player.setY(wrapIntoPlayfield(player.getY(), screen->h));
}

void drawSteeredDot(SDL_Rect& rtDot, const Coord& player) {
    rtDot.x = toRectField(player.getX());
    rtDot.y = toRectField(player.getY());
    fillOnScreen(rtDot, kRed);
}

}  // namespace

Scene::Scene(int x1, int y1, int DotNum) : player(x1, y1), dots(createOrbitDots(DotNum, player)) {
    rtDot.w = kSteeredDotSide;
    rtDot.h = kSteeredDotSide;
}

FrameOutcome runFrame(Scene& scene, Input& input) {
    const bool escapeHeld = input.update() == 1;
    if (escapeHeld || stopRequested()) {
        return FrameOutcome::RunEnded;
    }
    if (input.closeRequested() && displayGone()) {
        return FrameOutcome::DisplayLost;
    }
    scene.player = scene.player + input.getVelocity();
    fillScreen(kWhite);
    // The dots circle the player where it moved to, before it wraps around.
    placeOrbitDots(scene.dots, scene.rtCenter, scene.player, input.radius, scene.angle);
    wrapOrbitDots(scene.dots);
    wrapPlayer(scene.player);
    drawOrbitDots(scene.dots);
    drawSteeredDot(scene.rtDot, scene.player);
    SDL_Flip(screen);
    scene.angle = advancePhase(scene.angle);
    return FrameOutcome::Shown;
}

FrameOutcome runFrameLoop(Scene& scene, Input& input) {
    FrameOutcome outcome = FrameOutcome::Shown;
    while ((outcome = runFrame(scene, input)) == FrameOutcome::Shown) {
        SDL_Delay(kFramePauseMs);
    }
    return outcome;
}
