#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

// What the program does differently on each platform. CMake builds one implementation:
// platform_posix.cpp (Linux and other POSIX systems) or platform_windows.cpp, each with
// platform_desktop.cpp, which the two share; or platform_web.cpp, in the browser. None of them
// knows anything of the game.

// The name of the console's codeset. POSIX: the codeset of the user's locale ("UTF-8",
// "CP949", ...). Windows: "CP" and the number of the console's output code page, or of the
// system's ANSI code page when the program has no console (its output is a pipe or a file).
std::string consoleCodeset();

// The CP949 bytes of a UTF-8 text; nothing if the system cannot convert it.
std::optional<std::string> utf8ToCp949(std::string_view utf8);

// Readies standard output and error for the console texts, which are in `texts`. On Windows a
// console window is written in UTF-16, so that Korean shows whatever its code page; output that
// goes to a pipe or a file gets the texts' bytes unchanged, line ends included. POSIX streams
// carry the bytes as they are already. On the web standard input becomes the page's console:
// reading waits, the page going on meanwhile, until a line is entered there.
void prepareConsoleStreams(TextEncoding texts);

// From just before SDL starts, a stop request asks the frame loop to end as Escape does: SIGINT
// and SIGTERM on POSIX; Ctrl+C, Ctrl+Break and closing the console window on Windows. Installing
// starts with no request pending.
void installStopHandlers();

// Gives the stop requests their default effect back.
void restoreDefaultStopHandlers();

// Whether a stop request has arrived since the handlers were installed.
bool stopRequested();

// Whether the Wayland compositor that SDL connects to has gone away: its socket takes no more
// connections, as when a session ends or its compositor crashes. Never on Windows.
bool waylandCompositorGone();

// Settings for the SDL runtime that must be in place before SDL starts: the lightest way to show
// frames, and sharp pixels where the desktop scales the window up. A setting the user has made is
// kept. Returns whether the way to show frames was chosen here, and so may be given up.
bool prepareSdlEnvironment();

// Gives up the light way of showing frames that prepareSdlEnvironment chose, for SDL's own
// choice: where SDL has no window framebuffer of its own (Wayland), only that can show frames.
void leaveFramePresentationToSdl();

// The value of a pixel of a surface with this format that shows the colour 0xRRGGBB. On the
// desktops it is that value itself, as the frame step hands it to SDL; on the web the surface
// keeps red in its low byte and an alpha in its top one.
std::uint32_t pixelShowing(const SDL_PixelFormat* format, std::uint32_t rgb);

// Gives the keyboard to the window that has just opened. On the web the page's console has had
// it: the canvas, from which SDL reads the keys, takes it (and the focus) from now on. On the
// desktops the window system does this.
void handKeyboardToWindow();

// After the frame's one event: brings SDL's key state up to date with every event that waits
// behind it, and says whether a request to quit is among them. The desktops' SDL updates its key
// state for every waiting event whenever it is polled: there this only looks into the queue,
// leaving the events in it. The web's SDL updates it only for each event as it is polled, and
// cannot look into its queue: there every waiting event is polled. Else the keys typed into the
// console before the game, or a mouse moving over the canvas, would hold back a key for as many
// frames as there are events before it.
bool catchUpWithEvents();

// Whether the window shows an icon that the program sets. Not on the web: the page's own icon
// stands for the game there, and SDL ignores a window icon, which would only cost drawing it.
bool windowHasIcon();

// Whether the user has chosen SDL's video driver (SDL_VIDEODRIVER), as SDL reads it. Never on
// the web, where SDL has one driver.
bool videoDriverChosen();

// How SDL numbers the buttons of an Xbox-style pad where they differ. On the desktops the d-pad
// is hat 0 and Back is button 6; in the browsers' standard mapping the d-pad is buttons 12 to 15
// (up, down, left, right) and Select is button 8.
struct PadNumbering {
    int dpadButton;  // the d-pad's first button; below 0 where the d-pad is hat 0
    int back;
};
PadNumbering padNumbering();

// Once SDL's video has started: what reading a game pad (input/game_pad.h) needs; without it the
// game plays by keyboard and touch as before. The desktops start SDL's joystick, which finds its
// pads once, as it starts: with none it is given up again, as the SDL2-based runtime would
// otherwise look for pads at every frame's events. The web's SDL needs nothing started: its pads
// come and go, and are read live.
void startGamePads();

// Whether a pad may have come since the last look: on the web while the page knows of a
// connected pad (a browser announces each), never on the desktops.
bool padMayHaveCome();
