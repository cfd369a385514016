#include "console_text.h"

#include <iconv.h>
#include <langinfo.h>

#include <array>
#include <cctype>
#include <clocale>
#include <cstddef>
#include <string_view>

namespace {

// All console texts, in UTF-8, in the order of Text. Blanks and the missing line ends of the
// prompts are part of the texts.
constexpr std::array<std::string_view, 14> kCatalogue = {
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
};
static_assert(kCatalogue.size() == static_cast<std::size_t>(Text::VideoModeFailed) + 1,
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
std::string normalisedCodeset(const char* codeset) {
    std::string name;
    for (const char* c = codeset; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (std::isalnum(byte) != 0) {
            name += static_cast<char>(std::toupper(byte));
        }
    }
    return name;
}

// Converts one UTF-8 text to CP949; an empty result means the conversion failed.
std::string toCp949(iconv_t converter, std::string_view utf8) {
    std::string input(utf8);
    std::string output(input.size() * 2 + 1, '\0');
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    static_cast<void>(iconv(converter, nullptr, nullptr, nullptr, nullptr));
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        return {};
    }
    output.resize(output.size() - outLeft);
    return output;
}

// CP949 versions of all texts, or UTF-8 ones if the system cannot convert them.
Texts cp949Texts() {
    iconv_t converter = iconv_open("CP949", "UTF-8");
    // iconv_open reports failure with the address -1.
    if (converter == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
        return utf8Texts();
    }
    Texts texts;
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        texts[i] = toCp949(converter, kCatalogue[i]);
        if (texts[i].empty()) {
            iconv_close(converter);
            return utf8Texts();
        }
    }
    iconv_close(converter);
    return texts;
}

}  // namespace

const std::string& consoleText(Text id) {
    return currentTexts()[static_cast<std::size_t>(id)];
}

bool isKoreanCodePage(const char* codeset) {
    const std::string name = normalisedCodeset(codeset);
    return name == "CP949" || name == "UHC" || name == "EUCKR";
}

void useConsoleEncoding(const char* codeset) {
    currentTexts() = isKoreanCodePage(codeset) ? cp949Texts() : utf8Texts();
}

void useLocaleConsoleEncoding() {
    // A locale the system does not know leaves the C locale in force, and with it UTF-8.
    static_cast<void>(std::setlocale(LC_ALL, ""));
    useConsoleEncoding(nl_langinfo(CODESET));
}
