#include "support/child_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace tev::testing {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> childEnvironment(const std::vector<std::string>& added) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        bool replaced = name == "DISPLAY" || name == "WAYLAND_DISPLAY";
        for (const std::string& extra : added) {
            replaced = replaced || extra.substr(0, extra.find('=')) == name;
        }
        if (!replaced) {
            result.push_back(text);
        }
    }
    result.insert(result.end(), added.begin(), added.end());
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& text : strings) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

void check(int result, const char* what) {
    if (result != 0) {
        throw std::runtime_error(std::string(what) + ": " + std::strerror(result));
    }
}

// Owns the posix_spawn set-up objects for the length of one start.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
};

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment,
                           const std::optional<std::string>& logFile, int inheritFd) {
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    SpawnSetup setup;
    if (logFile) {
        check(posix_spawn_file_actions_addopen(&setup.actions, 1, logFile->c_str(),
                                               O_WRONLY | O_CREAT | O_TRUNC, 0644),
              "log file");
        check(posix_spawn_file_actions_adddup2(&setup.actions, 1, 2), "log file");
    } else {
        if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
            throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        }
        check(posix_spawn_file_actions_adddup2(&setup.actions, outPipe[1], 1), "stdout");
        check(posix_spawn_file_actions_adddup2(&setup.actions, errPipe[1], 2), "stderr");
    }
    check(posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0), "stdin");
    if (inheritFd != -1) {
        check(posix_spawn_file_actions_adddup2(&setup.actions, inheritFd, 3), "descriptor 3");
    }
    // Its own process group, so that nothing it starts outlives the test either.
    check(posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP), "process group");
    check(posix_spawnattr_setpgroup(&setup.attributes, 0), "process group");

    std::vector<std::string> argumentCopy = arguments;
    std::vector<std::string> environmentCopy = childEnvironment(environment);
    const std::vector<char*> argv = pointers(argumentCopy);
    const std::vector<char*> envp = pointers(environmentCopy);
    const int result =
        posix_spawnp(&pid_, argv[0], &setup.actions, &setup.attributes, argv.data(), envp.data());
    for (int fd : {outPipe[1], errPipe[1]}) {
        if (fd != -1) {
            close(fd);
        }
    }
    stdoutPipe_ = outPipe[0];
    stderrPipe_ = errPipe[0];
    if (result != 0) {
        pid_ = -1;
        for (int fd : {stdoutPipe_, stderrPipe_}) {
            if (fd != -1) {
                close(fd);
            }
        }
        throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(result));
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !exitStatus_) {
        kill(-pid_, SIGKILL);
        kill(pid_, SIGKILL);
        reap(0);
    }
    for (int fd : {stdoutPipe_, stderrPipe_}) {
        if (fd != -1) {
            close(fd);
        }
    }
}

void ChildProcess::reap(int options) {
    int status = 0;
    pid_t done = 0;
    do {
        done = waitpid(pid_, &status, options);
    } while (done < 0 && errno == EINTR);
    if (done == pid_) {
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (WIFSIGNALED(status)) {
            endingSignal_ = WTERMSIG(status);
        }
    }
}

bool ChildProcess::running() {
    if (!exitStatus_) {
        reap(WNOHANG);
    }
    return !exitStatus_;
}

void ChildProcess::signal(int number) {
    if (running()) {
        kill(pid_, number);
    }
}

void ChildProcess::collect(milliseconds limit) {
    pollfd fds[2];
    int count = 0;
    for (int fd : {stdoutPipe_, stderrPipe_}) {
        if (fd != -1) {
            fds[count++] = {fd, POLLIN, 0};
        }
    }
    if (count == 0) {
        std::this_thread::sleep_for(limit);
        return;
    }
    if (poll(fds, count, static_cast<int>(limit.count())) <= 0) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        if ((fds[i].revents & (POLLIN | POLLHUP)) == 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
        std::string& into = fds[i].fd == stdoutPipe_ ? stdout_ : stderr_;
        if (got > 0) {
            into.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0) {
            close(fds[i].fd);
            (fds[i].fd == stdoutPipe_ ? stdoutPipe_ : stderrPipe_) = -1;
        }
    }
}

std::optional<int> ChildProcess::waitForExit(milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (running() && Clock::now() < deadline) {
        collect(milliseconds(10));
    }
    // What the program wrote last is in the pipes once it has ended.
    while (!running() && (stdoutPipe_ != -1 || stderrPipe_ != -1) && Clock::now() < deadline) {
        collect(milliseconds(10));
    }
    return exitStatus_;
}

bool ChildProcess::waitForOutput(const std::function<bool(const std::string&)>& done,
                                 milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (!done(stdout_)) {
        if (Clock::now() >= deadline) {
            return false;
        }
        collect(milliseconds(10));
    }
    return true;
}

std::string ProcessResult::describe() const {
    if (timedOut) {
        return "timed out";
    }
    if (exited) {
        return "exit status " + std::to_string(exitStatus);
    }
    return "killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
}

ProcessResult runProcess(const std::vector<std::string>& argv,
                         const std::vector<std::pair<std::string, std::string>>& environment,
                         std::chrono::seconds timeout) {
    std::vector<std::string> added;
    for (const auto& [name, value] : environment) {
        added.push_back(name + "=" + value);
    }
    ChildProcess child(argv, added);
    ProcessResult result;
    const std::optional<int> status = child.waitForExit(timeout);
    if (!status) {
        result.timedOut = true;
        child.signal(SIGKILL);
        child.waitForExit(std::chrono::seconds(10));
    } else if (const std::optional<int> signal = child.endingSignal()) {
        result.signal = *signal;
    } else {
        result.exited = true;
        result.exitStatus = *status;
    }
    result.standardOutput = child.output();
    result.standardError = child.errors();
    return result;
}

}  // namespace tev::testing
