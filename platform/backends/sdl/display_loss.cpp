#include "display_loss.hpp"

#include <X11/Xlib.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace tev {

namespace {

// The handler runs inside Xlib and ends the process: it only reads this copy of the name.
char gProgramName[256] = "program";

int onDisplayLost(Display* display) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: lost the connection to the display %s (the X server ended)\n",
                 gProgramName, display != nullptr ? DisplayString(display) : "");
    std::fflush(stderr);
    // No exit handlers: they could reach the dead display again.
    _exit(2);
}

}  // namespace

void installDisplayLossHandler(const std::string& programName) {
    std::snprintf(gProgramName, sizeof gProgramName, "%s", programName.c_str());
    XSetIOErrorHandler(onDisplayLost);
    // Writing to a connection whose server has gone raises SIGPIPE, which would end the
    // program silently before Xlib could report the broken connection.
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace tev
