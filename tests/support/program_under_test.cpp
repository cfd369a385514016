#include "program_under_test.h"

#include <dirent.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <thread>

// The key guide and the three prompts, as a UTF-8 console shows them.
const std::string kGuideAndFirstPrompt =
    "방향키 : 이동\n속도 조절 : 넘패드 +,- 키\n관성 유무 조절 : 넘패드 1 : Off / 넘패드 2 : On "
    "\n반지름의 조절 : pageup = +1 / pagedown = -1\n\n점의 x,y좌표를 입력해주세요 : ";
const std::string kGuideAndPrompts =
    kGuideAndFirstPrompt +
    "관성 사용 유무를 선택해주세요[Y / N] (추후 넘패드의 1 / 2키를 눌러서 조절 가능합니다) "
    ": 주위에 떠다닐 점의 갯수를 지정해 주세요(0~12개) : ";
const std::string kXCorrected = "잘못된 x좌표 설정입니다.\nx좌표의 값을 0으로 설정합니다.\n";
const std::string kYCorrected = "잘못된 y좌표 설정입니다.\ny좌표의 값을 0으로 설정합니다.\n";

bool underWine() {
    return std::getenv("ORBITDOTS_UNDER_WINE") != nullptr;
}

namespace {

std::map<std::string, std::string> currentEnvironment() {
    std::map<std::string, std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        const std::size_t equals = text.find('=');
        variables[text.substr(0, equals)] =
            equals == std::string::npos ? std::string() : text.substr(equals + 1);
    }
    return variables;
}

// The environment the tests started with, before SDL started in them: the program starts with
// it, as a user starts it, and not with what the program's own video set-up, run here for the
// frame oracle, has added (the ways of showing frames it chooses unless the user does).
const std::map<std::string, std::string> kStartingEnvironment = currentEnvironment();

// The changes that give back the starting environment.
std::vector<std::string> startingEnvironment() {
    std::vector<std::string> changes;
    for (const auto& [name, value] : currentEnvironment()) {
        const auto starting = kStartingEnvironment.find(name);
        if (starting == kStartingEnvironment.end()) {
            changes.push_back(name);
        } else if (starting->second != value) {
            changes.push_back(name + "=" + starting->second);
        }
    }
    return changes;
}

std::vector<std::string> programCommand() {
    // "chromium", or "chromium:http" for the page on a static server.
    if (const char* browser = std::getenv("ORBITDOTS_BROWSER")) {
        const std::string name = browser;
        const std::size_t colon = name.find(':');
        return {"/usr/bin/python3", ORBITDOTS_BROWSER_PROGRAM, name.substr(0, colon),
                colon == std::string::npos ? "file" : name.substr(colon + 1), ORBITDOTS_WEB_PAGE};
    }
    if (underWine()) {
        return {"wine", ORBITDOTS_WINDOWS_EXE};
    }
    if (*ORBITDOTS_EMULATOR != '\0') {
        return {ORBITDOTS_EMULATOR, ORBITDOTS_EXE};
    }
    return {ORBITDOTS_EXE};
}

std::vector<std::string> programEnvironment(const std::vector<std::string>& environment) {
    std::vector<std::string> variables = startingEnvironment();
    if (underWine()) {
        variables = {"WINEPREFIX=" ORBITDOTS_WINEPREFIX, "WINEDEBUG=-all",
                     "WINEDLLOVERRIDES=mscoree,mshtml="};
    }
    variables.insert(variables.end(), environment.begin(), environment.end());
    return variables;
}

// Whether a process named explorer.exe, Wine's desktop, is there, ending ones included.
bool wineDesktopRuns() {
    DIR* processes = opendir("/proc");
    if (processes == nullptr) {
        return false;
    }
    bool found = false;
    for (const dirent* entry = readdir(processes); entry != nullptr && !found;
         entry = readdir(processes)) {
        std::ifstream comm(std::string("/proc/") + entry->d_name + "/comm");
        std::string name;
        found = std::getline(comm, name) && name == "explorer.exe";
    }
    closedir(processes);
    return found;
}

}  // namespace

std::unique_ptr<ChildProcess> startProgram(const std::vector<std::string>& environment,
                                           const std::string& input,
                                           const std::vector<std::string>& arguments,
                                           bool keepInputOpen) {
    std::vector<std::string> argv = programCommand();
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return std::make_unique<ChildProcess>(argv, programEnvironment(environment), input,
                                          keepInputOpen);
}

// script runs the command through $SHELL, which is the same shell on every machine here. The
// shell hands the terminal over to the program (exec): a shell that stayed to wait, as dash does,
// would itself end on the Ctrl+C meant for the program.
std::unique_ptr<ChildProcess> startProgramOnTerminal(const std::vector<std::string>& environment) {
    std::string command = "exec";
    for (const std::string& word : programCommand()) {
        command += " '" + word + "'";
    }
    std::vector<std::string> variables = programEnvironment(environment);
    variables.emplace_back("SHELL=/bin/sh");
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{"script", "--quiet", "--flush", "--return", "--command", command,
                                 "/dev/null"},
        variables, "", true);
}

void waitForLastWineDesktopToEnd() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (underWine() && wineDesktopRuns() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
