#include "xvfb_server.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace tev::e2e {

namespace {

// Closes a pipe end on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset() {
        if (fd_ != -1) {
            close(fd_);
            fd_ = -1;
        }
    }

  private:
    int fd_;
};

}  // namespace

XvfbServer::XvfbServer(int width, int height, const std::string& logFile) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe for Xvfb's display number failed");
    }
    Descriptor readEnd(ends[0]);
    Descriptor writeEnd(ends[1]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten",
                                 "tcp", "-noreset"},
        std::vector<std::string>{}, logFile, writeEnd.get());
    writeEnd.reset();

    // Xvfb writes the display number and a newline once it accepts connections.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (number.empty() || number.back() != '\n') {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{readEnd.get(), POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
            throw std::runtime_error("Xvfb did not report a display within 20 s (see " + logFile +
                                     ")");
        }
        char buffer[16];
        const ssize_t got = read(readEnd.get(), buffer, sizeof buffer);
        if (got <= 0) {
            throw std::runtime_error("Xvfb ended before it reported a display (see " + logFile +
                                     ")");
        }
        number.append(buffer, static_cast<std::size_t>(got));
    }
    number.pop_back();
    display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (process_ && process_->running()) {
        process_->signal(SIGTERM);
        process_->waitForExit(std::chrono::seconds(5));
    }
}

void XvfbServer::kill() {
    process_->signal(SIGKILL);
    process_->waitForExit(std::chrono::seconds(5));
}

}  // namespace tev::e2e
