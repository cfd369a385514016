// A keyboard for tests in a Wayland session: one virtual keyboard (zwp_virtual_keyboard_v1) with
// the standard keymap (xkbcommon's evdev rules, pc105, us), which clients take for a keyboard
// plugged into the seat. It lives as long as this process, so that the compositor never switches
// keymaps between presses. Commands on standard input, one a line, each answered on standard
// output once the compositor has handled it:
//   press CODE, release CODE  (an evdev key code)  ->  "done N" (N counts the commands)
//   numlock                                         ->  "done N on" or "done N off"
// It writes "ready" once the keyboard is there, and ends at the end of its input.
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace {

struct Globals {
    wl_seat* seat = nullptr;
    zwp_virtual_keyboard_manager_v1* manager = nullptr;
};

void announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t /*version*/) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals->seat == nullptr) {
        globals->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        globals->manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    }
}

void withdraw(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

const wl_registry_listener kRegistryListener = {announce, withdraw};

std::uint32_t milliseconds() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

// Hands the keymap to the compositor in a memory file, as keyboards do.
bool uploadKeymap(zwp_virtual_keyboard_v1* keyboard, xkb_keymap* keymap) {
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const std::size_t size = std::strlen(text) + 1;
    const int file = memfd_create("keymap", MFD_CLOEXEC);
    const bool written = file >= 0 && write(file, text, size) == static_cast<ssize_t>(size);
    std::free(text);
    if (written) {
        zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, file,
                                       static_cast<std::uint32_t>(size));
    }
    if (file >= 0) {
        close(file);
    }
    return written;
}

// Sends a key and the modifiers it leaves, as a keyboard's driver would.
void sendKey(zwp_virtual_keyboard_v1* keyboard, xkb_state* state, std::uint32_t code, bool press) {
    // xkbcommon numbers keys 8 above evdev.
    xkb_state_update_key(state, code + 8, press ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_key(
        keyboard, milliseconds(), code,
        press ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    zwp_virtual_keyboard_v1_modifiers(
        keyboard, xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(state, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE));
}

}  // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::cerr << "no Wayland display\n";
        return 1;
    }
    Globals globals;
    wl_registry_add_listener(wl_display_get_registry(display), &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.seat == nullptr || globals.manager == nullptr) {
        std::cerr << "the compositor offers no seat or no virtual keyboards\n";
        return 1;
    }
    zwp_virtual_keyboard_v1* keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(globals.manager, globals.seat);
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names = {"evdev", "pc105", "us", "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr || !uploadKeymap(keyboard, keymap)) {
        std::cerr << "no keymap\n";
        return 1;
    }
    xkb_state* state = xkb_state_new(keymap);
    wl_display_roundtrip(display);
    std::cout << "ready" << std::endl;

    int commands = 0;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        std::uint32_t code = 0;
        words >> command >> code;
        std::cout << "done " << ++commands;
        if (command == "numlock") {
            const bool locked =
                xkb_state_mod_name_is_active(state, XKB_MOD_NAME_NUM, XKB_STATE_MODS_LOCKED) > 0;
            std::cout << (locked ? " on" : " off");
        } else {
            sendKey(keyboard, state, code, command == "press");
            if (wl_display_roundtrip(display) < 0) {
                std::cerr << "the compositor went away\n";
                return 1;
            }
        }
        std::cout << std::endl;
    }
    xkb_state_unref(state);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    zwp_virtual_keyboard_v1_destroy(keyboard);
    wl_display_disconnect(display);
    return 0;
}
