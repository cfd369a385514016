#include <gtest/gtest.h>

#include <string>

#include "common/console_text.h"

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

TEST_F(ConsoleTextTest, EveryOtherConsoleGetsUtf8) {
    useConsoleEncoding("EUC-KR");
    useConsoleEncoding("ANSI_X3.4-1968");
    EXPECT_EQ(consoleText(Text::HelpMove), "방향키 : 이동");
    EXPECT_EQ(consoleText(Text::AskPosition), "점의 x,y좌표를 입력해주세요 : ");
}

}  // namespace
