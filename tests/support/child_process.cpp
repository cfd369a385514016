#include "child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>

#include "wait.h"

namespace {

using namespace std::chrono_literals;

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
                              const std::string& outputPath, const std::string& errorPath,
                              bool ownGroup) {
    if (ownGroup) {
        setsid();
    }
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
                           Options options)
    : group(options.ownGroup), outputPath(temporaryFile("out")), errorPath(temporaryFile("err")) {
    // The child may end before it has read all its input.
    static_cast<void>(signal(SIGPIPE, SIG_IGN));
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return;
    }
    pid = fork();
    if (pid == 0) {
        close(pipeFds[1]);
        becomeChild(argv, environment, pipeFds[0], outputPath, errorPath, group);
    }
    close(pipeFds[0]);
    inputFd = pipeFds[1];
    if (!input.empty() && write(inputFd, input.data(), input.size()) < 0) {
        close(inputFd);
        inputFd = -1;
    }
    if (!options.keepInputOpen && inputFd >= 0) {
        close(inputFd);
        inputFd = -1;
    }
}

ChildProcess::~ChildProcess() {
    if (group) {
        stop();
    } else {
        kill();
    }
    if (inputFd >= 0) {
        close(inputFd);
    }
    unlink(outputPath.c_str());
    unlink(errorPath.c_str());
}

void ChildProcess::sendSignal(int signal) const {
    // A group outlives its leader: what the leader started is still signalled once it has ended.
    if (pid > 0 && group) {
        ::kill(-pid, signal);
    } else if (pid > 0 && !ended()) {
        ::kill(pid, signal);
    }
}

void ChildProcess::kill() {
    sendSignal(SIGKILL);
    wait(5s);
}

void ChildProcess::stop() {
    sendSignal(SIGTERM);
    if (wait(5s).kind == Ending::Kind::StillRunning || group) {
        sendSignal(SIGKILL);
        wait(5s);
    }
}

void ChildProcess::type(const std::string& text) {
    if (inputFd >= 0 && write(inputFd, text.data(), text.size()) < 0) {
        close(inputFd);
        inputFd = -1;
    }
}

Ending ChildProcess::wait(std::chrono::milliseconds timeout) {
    waitUntil(
        timeout,
        [this] {
            int status = 0;
            if (pid > 0 && !ended() && waitpid(pid, &status, WNOHANG) == pid) {
                endedAs = WIFEXITED(status) ? Ending{Ending::Kind::Exited, WEXITSTATUS(status)}
                                            : Ending{Ending::Kind::Signalled, WTERMSIG(status)};
            }
            return pid <= 0 || ended();
        },
        10ms);
    return endedAs;
}

bool ChildProcess::runsFor(std::chrono::milliseconds period) {
    return wait(period).kind == Ending::Kind::StillRunning;
}

bool ChildProcess::outputEndsWithin(const std::string& text, std::chrono::milliseconds timeout) {
    const auto endsWithText = [this, &text] {
        const std::string out = output();
        return out.size() >= text.size() &&
               out.compare(out.size() - text.size(), text.size(), text) == 0;
    };
    // Once it has ended, its output is what it is.
    waitUntil(
        timeout, [&] { return endsWithText() || !runsFor(0ms); }, 10ms);
    return endsWithText();
}

std::string ChildProcess::output() const {
    return readFile(outputPath);
}

std::string ChildProcess::errors() const {
    return readFile(errorPath);
}
