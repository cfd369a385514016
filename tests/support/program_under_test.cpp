#include "program_under_test.h"

#include <unistd.h>

#include <cstdlib>
#include <map>

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

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::vector<std::string> programCommand() {
    if (variable("ORBITDOTS_SESSION") == "browser") {
        return {"/usr/bin/python3", variable("ORBITDOTS_SUPPORT") + "/browser_program.py", "play",
                variable("ORBITDOTS_BROWSER_FOLDER"), variable("ORBITDOTS_PAGE")};
    }
    const std::string runner = variable("ORBITDOTS_PROGRAM_RUNNER");
    if (!runner.empty()) {
        return {runner, variable("ORBITDOTS_PROGRAM")};
    }
    return {variable("ORBITDOTS_PROGRAM")};
}

std::vector<std::string> programEnvironment(const std::vector<std::string>& environment) {
    std::vector<std::string> variables = startingEnvironment();
    variables.insert(variables.end(), environment.begin(), environment.end());
    return variables;
}

}  // namespace

bool underWine() {
    return variable("ORBITDOTS_PROGRAM_RUNNER") == "wine";
}

std::unique_ptr<ChildProcess> startProgram(const std::vector<std::string>& environment,
                                           const std::string& input,
                                           const std::vector<std::string>& arguments,
                                           bool keepInputOpen) {
    std::vector<std::string> argv = programCommand();
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return std::make_unique<ChildProcess>(argv, programEnvironment(environment), input,
                                          ChildProcess::Options{keepInputOpen});
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
        variables, "", ChildProcess::Options{true});
}
