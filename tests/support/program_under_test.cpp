#include "program_under_test.h"

#include <dirent.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <thread>

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
