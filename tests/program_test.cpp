// The built program, run as a user runs it: answers piped to its standard input, on SDL's dummy
// video driver, ended by the signals a console sends.
#include <gtest/gtest.h>
#include <iconv.h>

#include <chrono>
#include <clocale>
#include <csignal>
#include <string>
#include <vector>

#include "child_process.h"
#include "console_text.h"

namespace {

using namespace std::chrono_literals;

const std::vector<std::string> kHeadless = {"SDL_VIDEODRIVER=dummy", "LC_ALL=C.UTF-8"};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The key guide and the three prompts, as a UTF-8 console shows them.
const std::string kGuideAndFirstPrompt =
    "방향키 : 이동\n속도 조절 : 넘패드 +,- 키\n관성 유무 조절 : 넘패드 1 : Off / 넘패드 2 : On "
    "\n반지름의 조절 : pageup = +1 / pagedown = -1\n\n점의 x,y좌표를 입력해주세요 : ";
const std::string kGuideAndPrompts =
    kGuideAndFirstPrompt +
    "관성 사용 유무를 선택해주세요[Y / N] (추후 넘패드의 1 / 2키를 눌러서 조절 가능합니다) "
    ": 주위에 떠다닐 점의 갯수를 지정해 주세요(0~12개) : ";

// Waits until the program has got past the dialogue: it catches the stop signals only from then
// on, just before SDL starts.
void expectRunning(ChildProcess& program) {
    EXPECT_TRUE(program.catchesWithin(SIGTERM, 30s))
        << "output: " << program.output() << "\nerrors: " << program.errors();
}

void expectCleanExit(ChildProcess& program) {
    const Ending ending = program.wait(30s);
    EXPECT_EQ(ending.kind, Ending::Kind::Exited);
    EXPECT_EQ(ending.code, 0);
    EXPECT_EQ(program.errors(), "");
}

TEST(Program, SigtermEndsARunningProgramWithStatusZero) {
    ChildProcess program({ORBITDOTS_EXE}, kHeadless, "100 200\ny\n12\n");
    expectRunning(program);
    program.sendSignal(SIGTERM);
    expectCleanExit(program);
}

TEST(Program, SigintEndsARunningProgramWithStatusZero) {
    ChildProcess program({ORBITDOTS_EXE, "ignored", "--arguments"}, kHeadless, "1 2 n 0");
    expectRunning(program);
    program.sendSignal(SIGINT);
    expectCleanExit(program);
}

TEST(Program, SignalsKeepTheirDefaultDuringTheDialogue) {
    ChildProcess program({ORBITDOTS_EXE}, kHeadless, "100 200\n", true);
    ASSERT_TRUE(program.runsFor(300ms));
    program.sendSignal(SIGTERM);
    const Ending ending = program.wait(std::chrono::seconds(5));
    EXPECT_EQ(ending.kind, Ending::Kind::Signalled);
    EXPECT_EQ(ending.code, SIGTERM);
}

TEST(Program, WritesTheGuideAndPromptsInUtf8OnAUtf8Console) {
    ChildProcess program({ORBITDOTS_EXE}, kHeadless, "1 2 n 0");
    expectRunning(program);
    program.sendSignal(SIGTERM);
    expectCleanExit(program);
    EXPECT_EQ(program.output(), kGuideAndPrompts);
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

        ChildProcess corrected({ORBITDOTS_EXE}, environment, "793 0\nn\n0\n");
        expectRunning(corrected);
        corrected.sendSignal(SIGTERM);
        expectCleanExit(corrected);
        EXPECT_EQ(corrected.output(),
                  inCp949(kGuideAndPrompts + "잘못된 x좌표 설정입니다.\n"
                                             "x좌표의 값을 0으로 설정합니다.\n"))
            << locale;

        ChildProcess ended({ORBITDOTS_EXE}, environment, "");
        EXPECT_EQ(ended.wait(30s).code, 1) << locale;
        EXPECT_EQ(ended.output(), inCp949(kGuideAndFirstPrompt + "\n")) << locale;
        EXPECT_EQ(ended.errors(), inCp949("입력이 끝나 프로그램을 종료합니다.\n")) << locale;
    }
}

TEST(Program, InvalidStartIsReportedAfterTheDialogue) {
    ChildProcess program({ORBITDOTS_EXE}, kHeadless, "793 0\nn\n0\n");
    expectRunning(program);
    program.sendSignal(SIGTERM);
    expectCleanExit(program);
    const std::string expectedEnd = consoleText(Text::AskDotCount) + consoleText(Text::InvalidX) +
                                    "\n" + consoleText(Text::ResetX) + "\n";
    const std::string out = program.output();
    ASSERT_GE(out.size(), expectedEnd.size());
    EXPECT_EQ(out.substr(out.size() - expectedEnd.size()), expectedEnd);
}

TEST(Program, TypedAnswersThatNeedReReadingStillStartTheRun) {
    for (const char* typed :
         {"100,200\nn\n0\n", "100, 200\nn\n0\n", "yes\n100 200\nyes\n3\n",
          "abc\n1 2\nq1n\nabc\n13\n-1\n12\n", "99999999999 5\n1 2\nn\n99999999999\n4\n"}) {
        ChildProcess program({ORBITDOTS_EXE}, kHeadless, typed);
        expectRunning(program);
        program.sendSignal(SIGTERM);
        expectCleanExit(program);
        EXPECT_FALSE(contains(program.output(), consoleText(Text::InvalidX))) << typed;
    }
}

TEST(Program, EndOfInputDuringTheDialogueEndsWithStatusOne) {
    for (const char* typed :
         {"", "100", "100 200\n", "1 2\nq\n", "1 2\ny\n13\n", "1 2\nyes\n", "abc"}) {
        ChildProcess program({ORBITDOTS_EXE}, kHeadless, typed);
        const Ending ending = program.wait(30s);
        EXPECT_EQ(ending.kind, Ending::Kind::Exited) << "for input: '" << typed << "'";
        EXPECT_EQ(ending.code, 1) << "for input: '" << typed << "'";
        EXPECT_EQ(program.errors(), consoleText(Text::EndOfInput) + "\n");
    }
}

TEST(Program, NoDisplayEndsWithAClearLineAndStatusOne) {
    ChildProcess program({ORBITDOTS_EXE}, {"DISPLAY", "SDL_VIDEODRIVER=x11", "LC_ALL=C.UTF-8"},
                         "100 200\nn\n0\n");
    const Ending ending = program.wait(30s);
    EXPECT_EQ(ending.kind, Ending::Kind::Exited);
    EXPECT_EQ(ending.code, 1);
    const std::string errors = program.errors();
    const std::string reason = consoleText(Text::VideoInitFailed);
    ASSERT_EQ(errors.substr(0, reason.size()), reason) << errors;
    EXPECT_GT(errors.size(), reason.size() + 1) << "SDL's own reason follows";
    EXPECT_EQ(errors.back(), '\n');
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "one line";
}

TEST(Program, StartsAtThe32BitLimitsRunClean) {
    for (const char* typed :
         {"900 -2147483648\nn\n12\n", "-1 2147483647\ny\n12\n", "-5 -2147483600\nn\n12\n"}) {
        ChildProcess program({ORBITDOTS_EXE}, kHeadless, typed);
        expectRunning(program);
        program.sendSignal(SIGTERM);
        expectCleanExit(program);
    }
}

}  // namespace
