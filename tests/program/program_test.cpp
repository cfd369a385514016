// The built program, run as a user runs it: answers piped to its standard input, on SDL's dummy
// video driver, ended by the signals a console sends. The suite Program runs against the Linux
// program and, under Wine, against the Windows one (Ctrl+C reaches a Windows program under Wine
// as SIGINT); ProgramOnPosix holds what only POSIX signals do.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cctype>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstddef>
#include <string>
#include <vector>

#include "program_under_test.h"
#include "wait.h"

namespace {

using namespace std::chrono_literals;

const std::vector<std::string> kHeadless = {"SDL_VIDEODRIVER=dummy", "LC_ALL=C.UTF-8"};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Waits until the program is in its frame loop, and so catches the stop requests: the lines that
// correct an invalid start position come once the window is open. Every run that is to be
// stopped starts off the field for that reason.
void expectRunning(ChildProcess& program, const std::string& correction) {
    EXPECT_TRUE(program.outputEndsWithin(correction, 60s))
        << "output: " << program.output() << "\nerrors: " << program.errors();
}

void expectCleanExit(ChildProcess& program) {
    const Ending ending = program.wait(60s);
    EXPECT_EQ(ending.kind, Ending::Kind::Exited);
    EXPECT_EQ(ending.code, 0);
    EXPECT_EQ(program.errors(), "");
}

// Runs the program until it is in its frame loop, then ends it with Ctrl+C.
std::unique_ptr<ChildProcess> runUntilCtrlC(const std::vector<std::string>& environment,
                                            const std::string& typed,
                                            const std::string& correction) {
    auto program = startProgram(environment, typed);
    expectRunning(*program, correction);
    program->sendSignal(SIGINT);
    expectCleanExit(*program);
    return program;
}

TEST(Program, CtrlCEndsARunningProgramWithStatusZero) {
    auto program = startProgram(kHeadless, "1 900 n 0", {"ignored", "--arguments"});
    expectRunning(*program, kYCorrected);
    program->sendSignal(SIGINT);
    expectCleanExit(*program);
}

// What a terminal shows, without its control sequences (ESC [, digits, ';' or '?', a letter)
// and carriage returns. (std::regex would do, but GCC 16 warns inside it.)
std::string shownOn(const ChildProcess& terminal) {
    const std::string output = terminal.output();
    std::string shown;
    for (std::size_t i = 0; i < output.size(); ++i) {
        if (output[i] == '\r') {
            continue;
        }
        if (output.compare(i, 2, "\x1b[") == 0) {
            const std::size_t end = output.find_first_not_of("0123456789;?", i + 2);
            if (end != std::string::npos && std::isalpha(static_cast<unsigned char>(output[end]))) {
                i = end;
                continue;
            }
        }
        shown += output[i];
    }
    return shown;
}

// Whether the terminal shows `text` within `timeout`.
bool showsWithin(ChildProcess& terminal, const std::string& text,
                 std::chrono::milliseconds timeout) {
    waitUntil(
        timeout, [&] { return contains(shownOn(terminal), text) || !terminal.runsFor(0ms); }, 10ms);
    return contains(shownOn(terminal), text);
}

// A prompt as a terminal shows it: its last blank may be drawn by moving the cursor instead.
std::string shownPrompt(const std::string& prompt) {
    return prompt.substr(0, prompt.size() - 1);
}

// Types an answer and presses Enter until the terminal shows what follows it. Wine's console
// takes the terminal over only once the program reads from it, and an Enter that the terminal
// turned into a line feed before that is no Enter to it. Another Enter costs nothing: the
// dialogue passes over blank lines.
void answer(ChildProcess& terminal, const std::string& typed, const std::string& next) {
    terminal.type(typed);
    waitUntil(
        60s,
        [&] {
            terminal.type("\r");
            return showsWithin(terminal, next, 1s);
        },
        0ms);
    EXPECT_TRUE(contains(shownOn(terminal), next))
        << "the terminal does not show: " << next << "\nit shows:\n"
        << shownOn(terminal);
}

// In C.UTF-8 a Windows console has code page 437, on which the texts' UTF-8 bytes would show as
// other letters: they must reach it as UTF-16. Each answer is typed once its prompt shows.
TEST(Program, ATerminalShowsTheKoreanTextsAndCtrlCEndsTheRun) {
    auto terminal = startProgramOnTerminal(kHeadless);
    ASSERT_TRUE(showsWithin(*terminal, shownPrompt(kAskPosition), 60s)) << shownOn(*terminal);
    answer(*terminal, "793 0", shownPrompt(kAskInertia));
    answer(*terminal, "n", shownPrompt(kAskDotCount));
    answer(*terminal, "0", kResetX);
    terminal->type("\x03");
    const Ending ending = terminal->wait(60s);
    EXPECT_EQ(ending.kind, Ending::Kind::Exited);
    EXPECT_EQ(ending.code, 0);
    for (const std::string& line : {kHelpMove, kHelpSpeed, kHelpRadius, kInvalidX}) {
        EXPECT_TRUE(contains(shownOn(*terminal), line + "\n")) << line;
    }
}

TEST(Program, WritesTheGuideAndPromptsInUtf8OnAUtf8Console) {
    const auto program = runUntilCtrlC(kHeadless, "793 0\nn\n0\n", kXCorrected);
    EXPECT_EQ(program->output(), kGuideAndPrompts + kXCorrected);
}

// The CP949 bytes of a UTF-8 text, converted by the system's own tables.
std::string inCp949(const std::string& utf8) {
    iconv_t converter = iconv_open("CP949", "UTF-8");
    std::string input = utf8;
    std::string output(input.size() * 2, '\0');
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << "no CP949 for: " << utf8;
    output.resize(output.size() - outLeft);
    return output;
}

bool localeExists(const char* name) {
    locale_t locale = newlocale(LC_ALL_MASK, name, nullptr);
    if (locale == nullptr) {
        return false;
    }
    freelocale(locale);
    return true;
}

TEST(Program, KoreanCodePageConsolesGetEveryTextInCp949) {
    for (const char* locale : {"ko_KR.CP949", "ko_KR.EUC-KR"}) {
        ASSERT_TRUE(localeExists(locale)) << locale << " is missing; scripts/test makes it";
        const std::vector<std::string> environment = {"SDL_VIDEODRIVER=dummy",
                                                      std::string("LC_ALL=") + locale};

        const auto corrected = runUntilCtrlC(environment, "793 0\nn\n0\n", inCp949(kXCorrected));
        EXPECT_EQ(corrected->output(), inCp949(kGuideAndPrompts + kXCorrected)) << locale;

        const auto ended = startProgram(environment, "");
        EXPECT_EQ(ended->wait(60s).code, 1) << locale;
        EXPECT_EQ(ended->output(), inCp949(kGuideAndFirstPrompt + "\n")) << locale;
        EXPECT_EQ(ended->errors(), inCp949(kEndOfInput + "\n")) << locale;
    }
}

TEST(Program, TypedAnswersThatNeedReReadingStillStartTheRun) {
    // Each start is (100, 900): only y is corrected, so x and y were both read as typed.
    for (const char* typed :
         {"100,900\nn\n0\n", "100, 900\nn\n0\n", "yes\n100 900\nyes\n3\n",
          "abc\n100 900\nq1n\nabc\n13\n-1\n12\n", "99999999999 5\n100 900\nn\n99999999999\n4\n"}) {
        const auto program = runUntilCtrlC(kHeadless, typed, kYCorrected);
        EXPECT_FALSE(contains(program->output(), kInvalidX)) << typed;
    }
}

TEST(Program, EndOfInputDuringTheDialogueEndsWithStatusOne) {
    for (const char* typed :
         {"", "100", "100 200\n", "1 2\nq\n", "1 2\ny\n13\n", "1 2\nyes\n", "abc"}) {
        const auto program = startProgram(kHeadless, typed);
        const Ending ending = program->wait(60s);
        EXPECT_EQ(ending.kind, Ending::Kind::Exited) << "for input: '" << typed << "'";
        EXPECT_EQ(ending.code, 1) << "for input: '" << typed << "'";
        EXPECT_EQ(program->errors(), kEndOfInput + "\n");
    }
}

const std::vector<std::string> kNoDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER",
                                             "LC_ALL=C.UTF-8"};

// As a user meets it, with no video driver named: SDL 1.2's own runtime would otherwise settle on
// drawing letters into the terminal.
TEST(Program, NoDisplayEndsWithAClearLineAndStatusOne) {
    const auto program = startProgram(kNoDisplay, "100 200\nn\n0\n");
    const Ending ending = program->wait(60s);
    EXPECT_EQ(ending.kind, Ending::Kind::Exited);
    EXPECT_EQ(ending.code, 1);
    EXPECT_EQ(program->output(), kGuideAndPrompts) << "standard output is the dialogue's alone";
    // The libraries under the SDL2-based runtime may have their own say first (Wayland's client
    // library on its missing runtime folder): the program's line is the last.
    const std::string errors = program->errors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), '\n');
    const std::string line = errors.substr(errors.rfind('\n', errors.size() - 2) + 1);
    ASSERT_EQ(line.substr(0, kVideoInitFailed.size()), kVideoInitFailed) << errors;
    EXPECT_GT(line.size(), kVideoInitFailed.size() + 1) << "the reason follows";
}

TEST(Program, StartsAtThe32BitLimitsRunClean) {
    for (const char* typed :
         {"900 -2147483648\nn\n12\n", "-1 2147483647\ny\n12\n", "-5 -2147483600\nn\n12\n"}) {
        runUntilCtrlC(kHeadless, typed, kXCorrected);
    }
}

TEST(ProgramOnPosix, SigtermEndsARunningProgramWithStatusZero) {
    auto program = startProgram(kHeadless, "100 900\ny\n12\n");
    expectRunning(*program, kYCorrected);
    program->sendSignal(SIGTERM);
    expectCleanExit(*program);
}

// The same over ssh, on a terminal: it shows the dialogue and the line, and nothing takes it over
// (its title, the alternate screen, mouse reporting), not even for a moment.
TEST(ProgramOnPosix, NoDisplayLeavesTheTerminalAsItWas) {
    std::vector<std::string> environment = kNoDisplay;
    environment.emplace_back("TERM=xterm");
    auto terminal = startProgramOnTerminal(environment);
    ASSERT_TRUE(showsWithin(*terminal, shownPrompt(kAskPosition), 60s)) << shownOn(*terminal);
    answer(*terminal, "100 200", shownPrompt(kAskInertia));
    answer(*terminal, "n", shownPrompt(kAskDotCount));
    answer(*terminal, "0", kVideoInitFailed);
    EXPECT_EQ(terminal->wait(60s).code, 1);
    EXPECT_EQ(terminal->output().find('\x1b'), std::string::npos)
        << "control sequences on the terminal: " << terminal->output();
}

TEST(ProgramOnPosix, SignalsKeepTheirDefaultDuringTheDialogue) {
    auto program = startProgram(kHeadless, "100 200\n", {}, true);
    ASSERT_TRUE(program->runsFor(300ms));
    program->sendSignal(SIGTERM);
    const Ending ending = program->wait(std::chrono::seconds(5));
    EXPECT_EQ(ending.kind, Ending::Kind::Signalled);
    EXPECT_EQ(ending.code, SIGTERM);
}

}  // namespace
