#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// How a child process ended, or that it had not ended in time.
struct Ending {
    enum class Kind { Exited, Signalled, StillRunning } kind = Kind::StillRunning;
    int code = 0;  // the exit status, or the signal's number
};

// A program started with extra environment variables ("NAME=value", or "NAME" to remove one)
// and a given standard input; its standard output and error go to files that can be read at any
// time. A server leads a process group of its own, which ends with it, every process it started
// included; anything else still running when the object ends is killed.
class ChildProcess {
  public:
    struct Options {
        // Whether more can be written to its standard input later (type).
        bool keepInputOpen = false;
        // Whether it leads a process group of its own, as a server does.
        bool ownGroup = false;
    };

    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& input, Options options);
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& input)
        : ChildProcess(argv, environment, input, Options{}) {}
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // To it, or to its whole group if it leads one.
    void sendSignal(int signal) const;
    // Ends it (its group) at once, as when it crashes.
    void kill();
    // Ends it (its group): SIGTERM, then SIGKILL to whatever has not ended after 5 s.
    void stop();
    // Writes more to its standard input, which must have been kept open.
    void type(const std::string& text);
    // Waits for the end for at most `timeout`; once it has ended, tells how at once.
    Ending wait(std::chrono::milliseconds timeout);
    // Whether it is still running after `period`.
    bool runsFor(std::chrono::milliseconds period);
    // Whether, within `timeout`, its standard output ends with `text`.
    bool outputEndsWithin(const std::string& text, std::chrono::milliseconds timeout);

    std::string output() const;
    std::string errors() const;

  private:
    bool ended() const { return endedAs.kind != Ending::Kind::StillRunning; }

    pid_t pid = -1;
    bool group = false;
    int inputFd = -1;
    Ending endedAs;
    std::string outputPath;
    std::string errorPath;
};
