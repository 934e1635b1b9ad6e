#pragma once

#include <string>

namespace tev {

// Xlib reports errors through two process-wide handlers, whose defaults end the program with
// several lines on stderr and status 1. The window backend installs its own before SDL
// connects (SDL keeps the protocol error handler it finds, passes errors on to it, and puts it
// back before it closes its connections):
//
// - The display going away while the program runs (the X server ends or the connection
//   breaks) reaches the I/O error handler from inside whichever Xlib call noticed it, and the
//   program cannot go on: the handler must not return. Ours prints one line naming the
//   program and the display, flushes what the program wrote to stdout, and exits with 2.
//
// - SDL wakes its own wait by sending a message to the window over a second connection. When
//   the window is destroyed at the end, such a message can reach the server after the window
//   has gone; the server answers BadWindow, which must not turn a clean close into status 1.
//   That error is ignored; every other protocol error goes to the handler that was in force.
void installX11ErrorHandlers(const std::string& programName);

}  // namespace tev
