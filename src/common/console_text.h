#pragma once

#include <string>

// Every text the program writes to the console.
enum class Text {
    HelpMove,
    HelpSpeed,
    HelpInertia,
    HelpRadius,
    AskPosition,
    AskInertia,
    AskDotCount,
    InvalidX,
    ResetX,
    InvalidY,
    ResetY,
    EndOfInput,
    VideoInitFailed,
    VideoModeFailed,
};

// The text in the console's encoding (UTF-8 until another encoding is chosen).
const std::string& consoleText(Text id);

// Whether a codeset name is the Korean code page (CP949, UHC or EUC-KR, in any spelling).
bool isKoreanCodePage(const char* codeset);

// Converts every text once: CP949 for a Korean code-page console, UTF-8 for any other.
void useConsoleEncoding(const char* codeset);

// Takes the console's codeset from the user's locale and converts the texts for it.
void useLocaleConsoleEncoding();
