#include "x11_errors.hpp"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace tev {

namespace {

// The handlers run inside Xlib: they only read this copy of the name.
char gProgramName[256] = "program";
XErrorHandler gPreviousErrorHandler = nullptr;

int onDisplayLost(Display* display) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: lost the connection to the display %s (the X server ended)\n",
                 gProgramName, display != nullptr ? DisplayString(display) : "");
    std::fflush(stderr);
    // No exit handlers: they could reach the dead display again.
    _exit(2);
}

int onProtocolError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) {
        return 0;
    }
    return gPreviousErrorHandler != nullptr ? gPreviousErrorHandler(display, error) : 0;
}

}  // namespace

void installX11ErrorHandlers(const std::string& programName) {
    std::snprintf(gProgramName, sizeof gProgramName, "%s", programName.c_str());
    XSetIOErrorHandler(onDisplayLost);
    const XErrorHandler previous = XSetErrorHandler(onProtocolError);
    if (previous != onProtocolError) {
        gPreviousErrorHandler = previous;
    }
    // Writing to a connection whose server has gone raises SIGPIPE, which would end the
    // program silently before Xlib could report the broken connection.
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace tev
