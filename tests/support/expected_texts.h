#pragma once

#include <string>

// The console texts as a UTF-8 console shows them, written out here and not taken from the
// program's catalogue: a wrong text there must fail the tests.
inline const std::string kHelpMove = "방향키 : 이동";
inline const std::string kHelpSpeed = "속도 조절 : 넘패드 +,- 키";
inline const std::string kHelpInertia = "관성 유무 조절 : 넘패드 1 : Off / 넘패드 2 : On ";
inline const std::string kHelpRadius = "반지름의 조절 : pageup = +1 / pagedown = -1";
inline const std::string kKeyGuide =
    kHelpMove + "\n" + kHelpSpeed + "\n" + kHelpInertia + "\n" + kHelpRadius + "\n\n";

// The prompts, each with the blank after which the answer is typed.
inline const std::string kAskPosition = "점의 x,y좌표를 입력해주세요 : ";
inline const std::string kAskInertia =
    "관성 사용 유무를 선택해주세요[Y / N] (추후 넘패드의 1 / 2키를 눌러서 조절 가능합니다) : ";
inline const std::string kAskDotCount = "주위에 떠다닐 점의 갯수를 지정해 주세요(0~12개) : ";
inline const std::string kPrompts = kAskPosition + kAskInertia + kAskDotCount;
inline const std::string kGuideAndFirstPrompt = kKeyGuide + kAskPosition;
inline const std::string kGuideAndPrompts = kKeyGuide + kPrompts;

// The lines that correct an invalid x or y of the start position.
inline const std::string kInvalidX = "잘못된 x좌표 설정입니다.";
inline const std::string kResetX = "x좌표의 값을 0으로 설정합니다.";
inline const std::string kXCorrected = kInvalidX + "\n" + kResetX + "\n";
inline const std::string kInvalidY = "잘못된 y좌표 설정입니다.";
inline const std::string kResetY = "y좌표의 값을 0으로 설정합니다.";
inline const std::string kYCorrected = kInvalidY + "\n" + kResetY + "\n";

inline const std::string kEndOfInput = "입력이 끝나 프로그램을 종료합니다.";
// The start of the line for video that does not start; SDL's reason follows.
inline const std::string kVideoInitFailed = "SDL 비디오를 시작하지 못했습니다: ";
inline const std::string kVideoModeFailed = "800x600x32 화면 모드를 설정하지 못했습니다: ";
// The reasons the program gives where SDL settles on a driver that shows no window, and where SDL
// gives none; the driver's name follows.
inline const std::string kNoWindowDriver =
    "창을 열 디스플레이가 없습니다. SDL이 고른 비디오 드라이버는 창을 띄우지 않습니다: ";
inline const std::string kNoReasonGiven = "SDL이 이유를 알려 주지 않았습니다. 비디오 드라이버: ";
inline const std::string kDisplayLost = "디스플레이와의 연결이 끊어져 프로그램을 종료합니다.";
