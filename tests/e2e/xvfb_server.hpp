#pragma once

#include <memory>
#include <string>

#include "support/child_process.hpp"

namespace tev::e2e {

using std::chrono::milliseconds;
using testing::ChildProcess;

// An X server of the test's own: Xvfb on the first free display number (it picks one itself
// and reports it through -displayfd, so parallel tests never collide). Ending the object ends
// the server.
class XvfbServer {
  public:
    // Raises std::runtime_error when Xvfb cannot be started or does not report in time.
    // The server's own messages go to `logFile`.
    XvfbServer(int width, int height, const std::string& logFile);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N", for DISPLAY.
    const std::string& display() const { return display_; }
    // Ends the server at once, as a crash would.
    void kill();

  private:
    std::unique_ptr<ChildProcess> process_;
    std::string display_;
};

}  // namespace tev::e2e
