#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tev::testing {

using std::chrono::milliseconds;

// A program started by a test. Its stdout and stderr are collected (or written to a log
// file); ending the object ends the program if it still runs, so no test leaves a child
// behind, also when it fails half-way. Every wait takes a time limit.
class ChildProcess {
  public:
    // `environment` entries NAME=VALUE are added to the test's own environment, less
    // DISPLAY and WAYLAND_DISPLAY, which the program gets only when a test gives them.
    // `inheritFd` (if not -1) is given to the program as descriptor 3.
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment = {},
                 const std::optional<std::string>& logFile = std::nullopt, int inheritFd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();

    // Waits until the program ends; answers its exit status (128 + the signal when a signal
    // ended it), or nothing when it still runs after `limit`.
    std::optional<int> waitForExit(milliseconds limit);
    // The signal that ended the program, if one did.
    std::optional<int> endingSignal() const { return endingSignal_; }
    // Waits until `done` holds for the stdout collected so far; answers whether it did.
    bool waitForOutput(const std::function<bool(const std::string&)>& done, milliseconds limit);
    // Sends a signal; the object still reaps the program.
    void signal(int number);

    const std::string& output() const { return stdout_; }
    const std::string& errors() const { return stderr_; }

  private:
    // Reads what the pipes hold, waiting at most `limit` for something to arrive.
    void collect(milliseconds limit);
    void reap(int options);

    pid_t pid_ = -1;
    std::optional<int> exitStatus_;
    std::optional<int> endingSignal_;
    int stdoutPipe_ = -1;
    int stderrPipe_ = -1;
    std::string stdout_;
    std::string stderr_;
};

// How a program run ended, and what it wrote.
struct ProcessResult {
    bool exited = false;
    int exitStatus = -1;
    int signal = 0;
    bool timedOut = false;
    std::string standardOutput;
    std::string standardError;

    // "exit status 2", "killed by signal 11 (...)", "timed out", for failure messages.
    std::string describe() const;
};

// Runs a program (argv[0] is its path) with extra environment variables and no standard input,
// and waits for it; a program still running after `timeout` is killed and reported as timed out.
ProcessResult runProcess(const std::vector<std::string>& argv,
                         const std::vector<std::pair<std::string, std::string>>& environment,
                         std::chrono::seconds timeout);

}  // namespace tev::testing
