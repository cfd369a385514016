#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/console_text.h"
#include "expected_texts.h"

namespace {

class ConsoleTextTest : public ::testing::Test {
  protected:
    void TearDown() override { useConsoleEncoding("UTF-8"); }
};

TEST_F(ConsoleTextTest, KoreanCodePageIsRecognisedInAnySpelling) {
    for (const char* name : {"CP949", "cp949", "UHC", "EUC-KR", "euc_kr", "EUCKR"}) {
        EXPECT_TRUE(isKoreanCodePage(name)) << name;
    }
    for (const char* name :
         {"UTF-8", "ANSI_X3.4-1968", "ISO-8859-1", "EUC-JP", "CP65001", "CP1252", ""}) {
        EXPECT_FALSE(isKoreanCodePage(name)) << name;
    }
}

TEST_F(ConsoleTextTest, KoreanConsoleGetsCp949Bytes) {
    useConsoleEncoding("EUC-KR");
    // 방 향 키 : 이 동
    EXPECT_EQ(consoleText(Text::HelpMove), "\xB9\xE6\xC7\xE2\xC5\xB0 : \xC0\xCC\xB5\xBF");
    // The blank at the end of the inertia line survives the conversion.
    EXPECT_EQ(consoleText(Text::HelpInertia).back(), ' ');
}

TEST_F(ConsoleTextTest, EveryOtherConsoleGetsEachTextInUtf8) {
    useConsoleEncoding("EUC-KR");
    useConsoleEncoding("ANSI_X3.4-1968");
    const std::vector<std::pair<Text, std::string>> texts = {
        {Text::HelpMove, kHelpMove},
        {Text::HelpSpeed, kHelpSpeed},
        {Text::HelpInertia, kHelpInertia},
        {Text::HelpRadius, kHelpRadius},
        {Text::AskPosition, kAskPosition},
        {Text::AskInertia, kAskInertia},
        {Text::AskDotCount, kAskDotCount},
        {Text::InvalidX, kInvalidX},
        {Text::ResetX, kResetX},
        {Text::InvalidY, kInvalidY},
        {Text::ResetY, kResetY},
        {Text::EndOfInput, kEndOfInput},
        {Text::VideoInitFailed, kVideoInitFailed},
        {Text::VideoModeFailed, kVideoModeFailed},
        {Text::NoWindowDriver, kNoWindowDriver},
        {Text::NoReasonGiven, kNoReasonGiven},
        {Text::DisplayLost, kDisplayLost},
    };
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(Text::DisplayLost) + 1) << "a text untested";
    for (const auto& [id, expected] : texts) {
        EXPECT_EQ(consoleText(id), expected);
    }
}

}  // namespace
