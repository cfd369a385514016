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

// A program started with extra environment variables and a given standard input; its standard
// output and error go to files that can be read at any time. Killed if still running at the end.
class ChildProcess {
  public:
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& input, bool keepInputOpen = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void sendSignal(int signal) const;
    pid_t processId() const { return pid; }
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
    pid_t pid = -1;
    int inputFd = -1;
    bool ended = false;
    Ending endedAs;  // once ended: how
    std::string outputPath;
    std::string errorPath;
};
