#pragma once

#include <string>

#include "platform/text_encoding.h"

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
    NoWindowDriver,
    NoReasonGiven,
    DisplayLost,
};

// The text in the console's encoding (UTF-8 until another encoding is chosen).
const std::string& consoleText(Text id);

// Whether a codeset name is the Korean code page (CP949, UHC or EUC-KR, in any spelling).
bool isKoreanCodePage(const std::string& codeset);

// Converts every text once: CP949 for a Korean code-page console, UTF-8 for any other, and for a
// Korean one too if the system cannot convert the texts. Returns the encoding chosen.
TextEncoding useConsoleEncoding(const std::string& codeset);

// Converts the texts for the console that the program runs in, and readies the console's streams
// for them.
void prepareConsole();
