#pragma once

#include <string>

namespace tev {

// Makes the loss of the X display while the program runs (the X server ends or the
// connection breaks) end the program with one line on stderr and exit status 2.
//
// Xlib reports a broken connection through its I/O error handler, from inside whichever
// Xlib call noticed it, and the program cannot go on after it: the handler must not return.
// Its default prints several lines and exits with status 1. Ours prints one line naming the
// program and the display, flushes what the program wrote to stdout, and exits with 2.
void installDisplayLossHandler(const std::string& programName);

}  // namespace tev
