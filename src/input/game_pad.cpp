#include "input/game_pad.h"

namespace {

// A stick counts only past a quarter of its travel: a resting or drifting stick moves nothing.
constexpr Sint16 kDeadZone = 8192;
constexpr int kStickX = 0;
constexpr int kStickY = 1;

// The buttons of an Xbox-style pad, as SDL 1.2 numbers them on every platform.
struct ButtonAction {
    int button;
    PadAction action;
};
constexpr ButtonAction kButtons[] = {
    {0, PadAction::Faster},    {1, PadAction::Slower}, {2, PadAction::InertiaOff},
    {3, PadAction::InertiaOn}, {5, PadAction::Wider},  {4, PadAction::Narrower},
};

}  // namespace

void GamePad::update() {
    if (joystick == nullptr && (!scanned || padMayHaveCome())) {
        open();
    }
    held = joystick != nullptr ? readActions() : 0;
}

void GamePad::open() {
    scanned = true;
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count && joystick == nullptr; ++index) {
        joystick = SDL_JoystickOpen(index);
    }
    if (joystick != nullptr) {
        // The state is read each frame: events would only crowd out those the frame needs.
        SDL_JoystickEventState(SDL_IGNORE);
    }
}

Uint8 GamePad::dpad(const PadNumbering& numbering) const {
    if (numbering.dpadButton < 0) {
        return SDL_JoystickNumHats(joystick) > 0 ? SDL_JoystickGetHat(joystick, 0)
                                                 : Uint8{SDL_HAT_CENTERED};
    }
    // Its buttons: up, down, left, right.
    const int first = numbering.dpadButton;
    return static_cast<Uint8>(
        (pressed(first) ? SDL_HAT_UP : 0) | (pressed(first + 1) ? SDL_HAT_DOWN : 0) |
        (pressed(first + 2) ? SDL_HAT_LEFT : 0) | (pressed(first + 3) ? SDL_HAT_RIGHT : 0));
}

unsigned GamePad::readActions() const {
    SDL_JoystickUpdate();
    const PadNumbering numbering = padNumbering();
    const Uint8 hat = dpad(numbering);
    const Sint16 x = SDL_JoystickGetAxis(joystick, kStickX);
    const Sint16 y = SDL_JoystickGetAxis(joystick, kStickY);
    unsigned actions = 0;
    const auto holdIf = [&actions](bool condition, PadAction action) {
        actions |= condition ? bit(action) : 0U;
    };
    holdIf((hat & SDL_HAT_UP) != 0 || y < -kDeadZone, PadAction::Up);
    holdIf((hat & SDL_HAT_DOWN) != 0 || y > kDeadZone, PadAction::Down);
    holdIf((hat & SDL_HAT_LEFT) != 0 || x < -kDeadZone, PadAction::Left);
    holdIf((hat & SDL_HAT_RIGHT) != 0 || x > kDeadZone, PadAction::Right);
    for (const ButtonAction& button : kButtons) {
        holdIf(pressed(button.button), button.action);
    }
    holdIf(pressed(numbering.back), PadAction::End);
    return actions;
}
