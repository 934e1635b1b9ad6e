#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace tev::testing {

// How a program run ended: its exit status, or the signal that ended it, and what it wrote.
struct ProcessResult {
    bool exited = false;
    int exitStatus = -1;
    int signal = 0;
    bool timedOut = false;
    std::string standardOutput;
    std::string standardError;

    // "exit status 2", "killed by signal 11", "timed out", for failure messages.
    std::string describe() const;
};

// Runs a program with arguments (argv[0] is its path) and extra environment variables, without
// standard input, and waits for it; a program still running after `timeout` is killed and
// reported as timed out.
ProcessResult runProcess(const std::vector<std::string>& argv,
                         const std::vector<std::pair<std::string, std::string>>& environment,
                         std::chrono::seconds timeout);

}  // namespace tev::testing
