#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <streambuf>

#include "platform/platform.h"

namespace {

constexpr UINT kCp949 = 949;

// Set from the C runtime's signal handlers and the console's handler thread alike: a lock-free
// atomic is safe in both.
std::atomic<bool> stopAsked{false};

// Ctrl+C and Ctrl+Break reach the program as the C runtime's SIGINT and SIGBREAK. As on POSIX,
// SDL leaves a handler that is in place when it starts alone, instead of putting its own there,
// which only queues a quit event that the frame loop ignores.
extern "C" void onStopSignal(int signal) {
    stopAsked = true;
    // The C runtime gives a signal its default handler back before it calls this one.
    static_cast<void>(std::signal(signal, onStopSignal));
}

// Closing the console window comes only as a console event. Windows ends the process as soon as
// this returns: waiting lets the frame loop end the run as Escape does, and main's return then
// ends the process, this thread with it, with status 0. (Windows gives up on a process after
// five seconds.)
BOOL WINAPI onConsoleClose(DWORD event) {
    if (event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    stopAsked = true;
    Sleep(INFINITE);
    return TRUE;
}

void setStopHandlers(void (*onSignal)(int), BOOL consoleCloseHandled) {
    static_cast<void>(std::signal(SIGINT, onSignal));
    static_cast<void>(std::signal(SIGBREAK, onSignal));
    SetConsoleCtrlHandler(onConsoleClose, consoleCloseHandled);
}

// The UTF-16 form of text in a code page; empty if it is not valid there.
std::wstring toUtf16(UINT codePage, const char* text, int length) {
    const int wideLength =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    if (wideLength > 0) {
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, length, wide.data(), wideLength);
    }
    return wide;
}

// Shows the texts in a console window as UTF-16, whatever its code page. A character whose
// bytes arrive in two writes waits for the rest of them.
class ConsoleWindowBuffer : public std::streambuf {
  public:
    ConsoleWindowBuffer(HANDLE window, UINT textsCodePage)
        : console(window), codePage(textsCodePage) {}

  protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        pending.push_back(traits_type::to_char_type(ch));
        writeWholeCharacters();
        return ch;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending.append(text, static_cast<std::size_t>(count));
        writeWholeCharacters();
        return count;
    }

  private:
    std::size_t characterLength(unsigned char lead) const {
        if (codePage == kCp949) {
            return IsDBCSLeadByteEx(codePage, lead) != 0 ? 2 : 1;
        }
        if (lead >= 0xF0) {
            return 4;
        }
        if (lead >= 0xE0) {
            return 3;
        }
        return lead >= 0xC0 ? 2 : 1;
    }

    void writeWholeCharacters() {
        std::size_t whole = 0;
        while (whole < pending.size()) {
            const std::size_t next =
                whole + characterLength(static_cast<unsigned char>(pending[whole]));
            if (next > pending.size()) {
                break;
            }
            whole = next;
        }
        const std::wstring wide = toUtf16(codePage, pending.data(), static_cast<int>(whole));
        DWORD written = 0;
        WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        pending.erase(0, whole);
    }

    HANDLE console;
    UINT codePage;
    std::string pending;
};

// Puts a console window's buffer in place of a stream's own for as long as it lives.
class ConsoleWindowStream {
  public:
    ConsoleWindowStream(std::ostream& replaced, HANDLE console, UINT codePage)
        : stream(replaced), buffer(console, codePage), original(replaced.rdbuf(&buffer)) {}
    ~ConsoleWindowStream() {
        stream.flush();
        stream.rdbuf(original);
    }
    ConsoleWindowStream(const ConsoleWindowStream&) = delete;
    ConsoleWindowStream& operator=(const ConsoleWindowStream&) = delete;

  private:
    std::ostream& stream;
    ConsoleWindowBuffer buffer;
    std::streambuf* original;
};

bool isConsoleWindow(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

std::string consoleCodeset() {
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) {
        codePage = GetACP();
    }
    return "CP" + std::to_string(codePage);
}

std::optional<std::string> utf8ToCp949(std::string_view utf8) {
    const std::wstring wide = toUtf16(CP_UTF8, utf8.data(), static_cast<int>(utf8.size()));
    if (wide.empty() != utf8.empty()) {
        return std::nullopt;
    }
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(kCp949, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string cp949(static_cast<std::size_t>(length), '\0');
    BOOL replaced = FALSE;
    if (length > 0) {
        WideCharToMultiByte(kCp949, 0, wide.data(), wideLength, cp949.data(), length, nullptr,
                            &replaced);
    }
    if (replaced != FALSE || (length == 0 && !wide.empty())) {
        return std::nullopt;
    }
    return cp949;
}

void prepareConsoleStreams(TextEncoding texts) {
    const UINT codePage = texts == TextEncoding::Cp949 ? kCp949 : CP_UTF8;
    if (isConsoleWindow(GetStdHandle(STD_OUTPUT_HANDLE))) {
        static ConsoleWindowStream output(std::cout, GetStdHandle(STD_OUTPUT_HANDLE), codePage);
    } else {
        // Text mode would put a CR before every LF: the bytes are to be those of the texts.
        _setmode(_fileno(stdout), _O_BINARY);
    }
    if (isConsoleWindow(GetStdHandle(STD_ERROR_HANDLE))) {
        static ConsoleWindowStream errors(std::cerr, GetStdHandle(STD_ERROR_HANDLE), codePage);
    } else {
        _setmode(_fileno(stderr), _O_BINARY);
    }
}

void installStopHandlers() {
    stopAsked = false;
    setStopHandlers(onStopSignal, TRUE);
}

void restoreDefaultStopHandlers() {
    setStopHandlers(SIG_DFL, FALSE);
}

bool stopRequested() {
    return stopAsked;
}

bool waylandCompositorGone() {
    return false;
}

bool prepareSdlEnvironment() {
    // The SDL.dll that comes with the program is SDL 1.2's own, which draws through GDI and
    // leaves scaling to Windows: there is nothing to choose.
    return false;
}

void leaveFramePresentationToSdl() {}
