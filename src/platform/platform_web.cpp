// The program as a web page: emscripten's SDL draws into the page's canvas, and the page's console
// (web/page.js) is the terminal. The frame loop's pause hands the browser its turn (Asyncify).
#include <SDL.h>
#include <emscripten.h>

#include <array>
#include <iostream>
#include <streambuf>

#include "platform/platform.h"

namespace {

// Waits, the page going on meanwhile, for the bytes of a line entered in the page's console, and
// copies at most `size` of them to `buffer`; the rest waits for the next call. 0 at the end of
// input (Ctrl+D on an empty line).
// NOLINTNEXTLINE(cppcoreguidelines-*,hicpp-*,modernize-*): emscripten's macro
EM_ASYNC_JS(int, readConsole, (char* buffer, int size), {
    const bytes = await Module.readConsole(size);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});

// SDL takes its keys from the canvas: it gets the focus, and the console is done with.
// NOLINTNEXTLINE(cppcoreguidelines-*,hicpp-*,modernize-*): emscripten's macro
EM_JS(void, handTheKeyboardToTheCanvas, (), { Module.gameStarts(); });

// NOLINTNEXTLINE(cppcoreguidelines-*,hicpp-*,modernize-*): emscripten's macro
EM_JS(int, pageKnowsOfAPad, (), { return Module.padConnected() ? 1 : 0; });

// Standard input read from the page's console.
class ConsoleInput : public std::streambuf {
  protected:
    int_type underflow() override {
        const int count = readConsole(buffer.data(), static_cast<int>(buffer.size()));
        if (count <= 0) {
            return traits_type::eof();
        }
        setg(buffer.data(), buffer.data(), buffer.data() + count);
        return traits_type::to_int_type(buffer[0]);
    }

  private:
    std::array<char, 256> buffer{};
};

}  // namespace

std::string consoleCodeset() {
    return "UTF-8";
}

std::optional<std::string> utf8ToCp949(std::string_view /*utf8*/) {
    return std::nullopt;
}

void prepareConsoleStreams(TextEncoding /*texts*/) {
    static ConsoleInput console;
    std::cin.rdbuf(&console);
}

// Closing or reloading the tab ends the program; nothing else asks it to stop.
void installStopHandlers() {}

void restoreDefaultStopHandlers() {}

bool stopRequested() {
    return false;
}

bool waylandCompositorGone() {
    return false;
}

bool prepareSdlEnvironment() {
    return false;
}

void leaveFramePresentationToSdl() {}

std::uint32_t pixelShowing(const SDL_PixelFormat* format, std::uint32_t rgb) {
    constexpr int kRedShift = 16;
    constexpr int kGreenShift = 8;
    constexpr std::uint32_t kChannel = 0xFF;
    return SDL_MapRGB(format, static_cast<Uint8>((rgb >> kRedShift) & kChannel),
                      static_cast<Uint8>((rgb >> kGreenShift) & kChannel),
                      static_cast<Uint8>(rgb & kChannel));
}

void handKeyboardToWindow() {
    handTheKeyboardToTheCanvas();
}

bool catchUpWithEvents() {
    bool quit = false;
    SDL_Event waiting{};
    while (SDL_PollEvent(&waiting) == 1) {
        quit = quit || waiting.type == SDL_QUIT;
    }
    return quit;
}

bool windowHasIcon() {
    return false;
}

bool videoDriverChosen() {
    return false;
}

PadNumbering padNumbering() {
    return {12, 8};
}

void startGamePads() {}

bool padMayHaveCome() {
    // Chromium lists empty places for pads, which SDL counts: looking each frame would cost the
    // page even without a pad.
    return pageKnowsOfAPad() != 0;
}
