#include "common/console_text.h"

#include <array>
#include <cctype>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/platform.h"

namespace {

// All console texts, in UTF-8, in the order of Text. Blanks and the missing line ends of the
// prompts are part of the texts.
constexpr std::array<std::string_view, 17> kCatalogue = {
    "방향키 : 이동",
    "속도 조절 : 넘패드 +,- 키",
    "관성 유무 조절 : 넘패드 1 : Off / 넘패드 2 : On ",
    "반지름의 조절 : pageup = +1 / pagedown = -1",
    "점의 x,y좌표를 입력해주세요 : ",
    "관성 사용 유무를 선택해주세요[Y / N] (추후 넘패드의 1 / 2키를 눌러서 조절 가능합니다) : ",
    "주위에 떠다닐 점의 갯수를 지정해 주세요(0~12개) : ",
    "잘못된 x좌표 설정입니다.",
    "x좌표의 값을 0으로 설정합니다.",
    "잘못된 y좌표 설정입니다.",
    "y좌표의 값을 0으로 설정합니다.",
    "입력이 끝나 프로그램을 종료합니다.",
    "SDL 비디오를 시작하지 못했습니다: ",
    "800x600x32 화면 모드를 설정하지 못했습니다: ",
    "창을 열 디스플레이가 없습니다. SDL이 고른 비디오 드라이버는 창을 띄우지 않습니다: ",
    "SDL이 이유를 알려 주지 않았습니다. 비디오 드라이버: ",
    "디스플레이와의 연결이 끊어져 프로그램을 종료합니다.",
};
static_assert(kCatalogue.size() == static_cast<std::size_t>(Text::DisplayLost) + 1,
              "one catalogue entry per Text");

using Texts = std::array<std::string, kCatalogue.size()>;

Texts utf8Texts() {
    Texts texts;
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        texts[i] = std::string(kCatalogue[i]);
    }
    return texts;
}

Texts& currentTexts() {
    static Texts texts = utf8Texts();
    return texts;
}

// Letters and digits only, upper case: "euc_kr", "EUC-KR" and "euckr" compare equal.
std::string normalisedCodeset(const std::string& codeset) {
    std::string name;
    for (const char c : codeset) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0) {
            name += static_cast<char>(std::toupper(byte));
        }
    }
    return name;
}

// CP949 versions of all texts, or nothing if the system cannot convert them all.
std::optional<Texts> cp949Texts() {
    Texts texts;
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        std::optional<std::string> converted = utf8ToCp949(kCatalogue[i]);
        if (!converted) {
            return std::nullopt;
        }
        texts[i] = std::move(*converted);
    }
    return texts;
}

}  // namespace

const std::string& consoleText(Text id) {
    return currentTexts()[static_cast<std::size_t>(id)];
}

bool isKoreanCodePage(const std::string& codeset) {
    const std::string name = normalisedCodeset(codeset);
    return name == "CP949" || name == "UHC" || name == "EUCKR";
}

TextEncoding useConsoleEncoding(const std::string& codeset) {
    if (isKoreanCodePage(codeset)) {
        if (std::optional<Texts> texts = cp949Texts()) {
            currentTexts() = std::move(*texts);
            return TextEncoding::Cp949;
        }
    }
    currentTexts() = utf8Texts();
    return TextEncoding::Utf8;
}

void prepareConsole() {
    prepareConsoleStreams(useConsoleEncoding(consoleCodeset()));
}
