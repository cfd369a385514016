#include "input/input.h"

#include "platform/platform.h"

int speed = 1;

namespace {

constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 30;
constexpr int kMinRadius = 0;
constexpr int kMaxRadius = 200;

}  // namespace

int Input::update() {
    if (!inertia) {
        velocity.setX(0);
        velocity.setY(0);
    }
    // Before the frame's events: on the web, reading the pad queues events of its own.
    pad.update();
    // One event per frame lets SDL refresh the key state; of the events themselves only a close
    // request is of interest, and it may wait behind others.
    const bool polled = SDL_PollEvent(&event) == 1;
    closeAsked = (polled && event.type == SDL_QUIT) || catchUpWithEvents();
    keys = SDL_GetKeyState(nullptr);

    // The order matters: the arrows move with the speed as it was before keypad +/- change it.
    // Keyboards without a keypad have the main row's keys for the keypad's: a row applies once
    // however many of its keys are held, and a key and the pad's control for it apply once.
    if (held(SDLK_UP) || held(PadAction::Up)) {
        velocity.addY(-speed);
    }
    if (held(SDLK_DOWN) || held(PadAction::Down)) {
        velocity.addY(speed);
    }
    if (held(SDLK_LEFT) || held(PadAction::Left)) {
        velocity.addX(-speed);
    }
    if (held(SDLK_RIGHT) || held(PadAction::Right)) {
        velocity.addX(speed);
    }
    if ((held(SDLK_KP_MINUS) || held(SDLK_MINUS) || held(PadAction::Slower)) && speed > kMinSpeed) {
        --speed;
    }
    if ((held(SDLK_KP_PLUS) || held(SDLK_EQUALS) || held(SDLK_PLUS) || held(PadAction::Faster)) &&
        speed < kMaxSpeed) {
        ++speed;
    }
    if (held(SDLK_KP1) || held(SDLK_1) || held(PadAction::InertiaOff)) {
        inertia = false;
    }
    if (held(SDLK_KP2) || held(SDLK_2) || held(PadAction::InertiaOn)) {
        inertia = true;
    }
    if ((held(SDLK_PAGEUP) || held(PadAction::Wider)) && radius < kMaxRadius) {
        ++radius;
    }
    if ((held(SDLK_PAGEDOWN) || held(PadAction::Narrower)) && radius > kMinRadius) {
        --radius;
    }
    return held(SDLK_ESCAPE) || held(PadAction::End) ? 1 : 0;
}
