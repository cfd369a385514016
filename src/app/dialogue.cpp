#include "app/dialogue.h"

#include <istream>
#include <limits>
#include <ostream>

#include "common/console_text.h"

namespace {

constexpr int kMaxDotNum = 12;

void ask(std::ostream& out, Text prompt) {
    out << consoleText(prompt) << std::flush;
}

// After a number could not be read: false if the input has ended; otherwise the rest of the line
// is discarded so that the read can be tried again.
bool recoverFromUnreadableNumber(std::istream& in) {
    if (in.eof() || in.bad()) {
        return false;
    }
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    return true;
}

// Reads one integer. Text, or a number outside the 32-bit range, costs the rest of its line and
// the read is tried again. False once the input has ended.
bool readInteger(std::istream& in, int& value) {
    while (!(in >> value)) {
        if (!recoverFromUnreadableNumber(in)) {
            return false;
        }
    }
    return true;
}

// x and y may be separated by blanks, by a comma, or by both.
void skipSeparator(std::istream& in) {
    in >> std::ws;
    if (in.peek() == ',') {
        in.get();
    }
}

// Reads x, then y. Anything unreadable costs the rest of its line, and both are read again.
bool readStartPosition(std::istream& in, int& x1, int& y1) {
    while (readInteger(in, x1)) {
        skipSeparator(in);
        if (in >> y1) {
            return true;
        }
        if (!recoverFromUnreadableNumber(in)) {
            return false;
        }
    }
    return false;
}

// Takes one letter at a time until it is y or n, in either case.
std::optional<bool> readInertia(std::istream& in) {
    char ch = '\0';
    while (in >> ch) {
        if (ch == 'Y' || ch == 'y') {
            return true;
        }
        if (ch == 'N' || ch == 'n') {
            return false;
        }
    }
    return std::nullopt;
}

std::optional<int> readDotCount(std::istream& in) {
    int DotNum = 0;
    while (readInteger(in, DotNum)) {
        if (DotNum >= 0 && DotNum <= kMaxDotNum) {
            return DotNum;
        }
    }
    return std::nullopt;
}

}  // namespace

void writeKeyGuide(std::ostream& out) {
    for (const Text line : {Text::HelpMove, Text::HelpSpeed, Text::HelpInertia, Text::HelpRadius}) {
        out << consoleText(line) << std::endl;
    }
    out << std::endl;
}

std::optional<Answers> holdDialogue(std::istream& in, std::ostream& out) {
    Answers answers;
    ask(out, Text::AskPosition);
    if (!readStartPosition(in, answers.x1, answers.y1)) {
        return std::nullopt;
    }
    ask(out, Text::AskInertia);
    const std::optional<bool> inertia = readInertia(in);
    if (!inertia) {
        return std::nullopt;
    }
    answers.inertia = *inertia;
    ask(out, Text::AskDotCount);
    const std::optional<int> DotNum = readDotCount(in);
    if (!DotNum) {
        return std::nullopt;
    }
    answers.DotNum = *DotNum;
    return answers;
}
