#include "child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

std::string temporaryFile(const char* tag) {
    std::string path = std::string("/tmp/orbitdots-test-") + tag + "-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd >= 0) {
        close(fd);
    }
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

[[noreturn]] void becomeChild(const std::vector<std::string>& argv,
                              const std::vector<std::string>& environment, int inputFd,
                              const std::string& outputPath, const std::string& errorPath) {
    dup2(inputFd, STDIN_FILENO);
    const int out = open(outputPath.c_str(), O_WRONLY | O_TRUNC);
    const int err = open(errorPath.c_str(), O_WRONLY | O_TRUNC);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    static_cast<void>(signal(SIGPIPE, SIG_DFL));
    for (const std::string& variable : environment) {
        const auto equals = variable.find('=');
        const std::string name = variable.substr(0, equals);
        if (equals == std::string::npos) {
            unsetenv(name.c_str());
        } else {
            setenv(name.c_str(), variable.substr(equals + 1).c_str(), 1);
        }
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    std::transform(argv.begin(), argv.end(), std::back_inserter(args),
                   [](const std::string& arg) { return const_cast<char*>(arg.c_str()); });
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment, const std::string& input,
                           bool keepInputOpen)
    : outputPath(temporaryFile("out")), errorPath(temporaryFile("err")) {
    // The child may end before it has read all its input.
    static_cast<void>(signal(SIGPIPE, SIG_IGN));
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return;
    }
    pid = fork();
    if (pid == 0) {
        close(pipeFds[1]);
        becomeChild(argv, environment, pipeFds[0], outputPath, errorPath);
    }
    close(pipeFds[0]);
    inputFd = pipeFds[1];
    if (!input.empty() && write(inputFd, input.data(), input.size()) < 0) {
        close(inputFd);
        inputFd = -1;
    }
    if (!keepInputOpen && inputFd >= 0) {
        close(inputFd);
        inputFd = -1;
    }
}

ChildProcess::~ChildProcess() {
    if (pid > 0 && !ended) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (inputFd >= 0) {
        close(inputFd);
    }
    unlink(outputPath.c_str());
    unlink(errorPath.c_str());
}

void ChildProcess::sendSignal(int signal) const {
    if (pid > 0 && !ended) {
        kill(pid, signal);
    }
}

void ChildProcess::type(const std::string& text) {
    if (inputFd >= 0 && write(inputFd, text.data(), text.size()) < 0) {
        close(inputFd);
        inputFd = -1;
    }
}

Ending ChildProcess::wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Ending ending = endedAs;
    while (pid > 0 && !ended) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            ended = true;
            if (WIFEXITED(status)) {
                ending = {Ending::Kind::Exited, WEXITSTATUS(status)};
            } else {
                ending = {Ending::Kind::Signalled, WTERMSIG(status)};
            }
            endedAs = ending;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ending;
}

bool ChildProcess::runsFor(std::chrono::milliseconds period) {
    return wait(period).kind == Ending::Kind::StillRunning;
}

bool ChildProcess::outputEndsWithin(const std::string& text, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool running = true;
    while (true) {
        const std::string out = output();
        if (out.size() >= text.size() &&
            out.compare(out.size() - text.size(), text.size(), text) == 0) {
            return true;
        }
        if (!running || std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        running = runsFor(std::chrono::milliseconds(10));
    }
}

std::string ChildProcess::output() const {
    return readFile(outputPath);
}

std::string ChildProcess::errors() const {
    return readFile(errorPath);
}
