#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.hpp"
#include "tev/surface.hpp"
#include "x_client.hpp"
#include "xvfb_server.hpp"

namespace tev::e2e {

using std::chrono::milliseconds;
using testing::ChildProcess;

// Paths of the programs under test, set by the build.
inline const std::string kMixer = TEV_E2E_MIXER;
inline const std::string kSliderProbe = TEV_E2E_SLIDER_PROBE;

// The environment of a program under test: `extra` (NAME=VALUE), and the leak suppressions
// that the sanitizer build needs for system libraries the programs load.
std::vector<std::string> programEnvironment(std::vector<std::string> extra = {});

// A desktop for one test: an X server of its own (no window manager), the test's connection
// to it, and the programs the test starts on it. Everything ends with the object, in the
// right order, also when the test fails half-way.
class Desktop {
  public:
    Desktop();
    ~Desktop();

    const std::string& display() const { return server_->display(); }
    XClient& x() { return *client_; }

    // Starts a program with DISPLAY set to this desktop.
    ChildProcess& start(const std::vector<std::string>& arguments);
    // Waits until the program shows a window titled `title`; answers it, or nothing when the
    // program ended or nothing showed within `limit`.
    std::optional<XWindowId> waitForWindow(ChildProcess& program, const std::string& title,
                                           milliseconds limit = std::chrono::seconds(20));
    // Ends the X server at once, as a crash would; the test's own connection closes first.
    void killServer();

  private:
    std::unique_ptr<XvfbServer> server_;
    std::unique_ptr<XClient> client_;
    // Programs end before the server they show on.
    std::vector<std::unique_ptr<ChildProcess>> programs_;
};

// A program's window on the desktop: input at the program's own device pixels (unscaled,
// top-left origin, possibly outside the window), sent as real pointer input.
class ProgramWindow {
  public:
    ProgramWindow(XClient& x, XWindowId id, int scale);

    XWindowId id() const { return id_; }
    const ScreenRect& placement() const { return placement_; }

    void press(int x, int y);
    void move(int x, int y);
    void release(int x, int y);

    Screenshot capture();
    // Waits until the window shows exactly `expected` (a frame at the window's scale); on a
    // timeout names the first differing pixel and writes NAME.actual.png, NAME.expected.png
    // and NAME.diff.png to the test output folder.
    ::testing::AssertionResult waitUntilShows(const Surface& expected, const std::string& name,
                                              milliseconds limit = std::chrono::seconds(10));

  private:
    void moveTo(int x, int y);

    XClient& x_;
    XWindowId id_;
    int scale_;
    ScreenRect placement_;
};

// The path of a file the current test leaves in the test output folder: the test's name and
// `suffix`, with `/` and spaces replaced.
std::string testFileName(const std::string& suffix);

}  // namespace tev::e2e
