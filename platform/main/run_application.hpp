#pragma once

#include <functional>

namespace tev {

// Starts a program on the platform, as the platform's main does: reads the start-up options
// (`Main` itself never sees the command line), installs the default error handler, creates
// the application window, calls `mainProcedure` and answers the exit status:
//   0  the procedure returned;
//   1  a runtime error reached the default error handler (one line on stderr);
//   2  the command line, a replay file or the display could not be used.
//
// Options: --platform offscreen|window, --replay FILE, --screenshot FILE.png, --scale N,
// --help, --version.
int runApplication(int argc, const char* const* argv, const std::function<void()>& mainProcedure);

}  // namespace tev
