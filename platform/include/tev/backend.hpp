#pragma once

#include <memory>
#include <stdexcept>
#include <vector>

#include "tev/region.hpp"

namespace tev {

class Surface;

// The display cannot be opened, or went away while the program ran. Start-up reports it with
// one line on stderr and exit status 2.
class DisplayError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the user did, as a backend reports it: pointer actions at device pixels of the
// unscaled window (top-left origin, may lie outside the window while the mouse is captured),
// the close request, and the system taking the mouse away in the middle of a drag.
struct PointerInput {
    enum class Kind { Press, Move, Release, Close, CaptureLost };
    Kind kind = Kind::Move;
    int x = 0;
    int y = 0;
    friend bool operator==(const PointerInput&, const PointerInput&) = default;
};

// The seam between the platform and a place to show the window: the offscreen backend keeps
// frames in memory, the window backend shows them on the desktop and reads the real mouse.
class Backend {
  public:
    virtual ~Backend() = default;

    // The frame the platform paints into, once, at start-up. A window backend may put it on
    // memory of its own (its window's framebuffer), so that presenting copies nothing; by
    // default it is a surface of the platform's own.
    virtual std::unique_ptr<Surface> createFrame(int width, int height);

    // Shows the parts of the frame in `changed`.
    virtual void present(const Surface& frame, const Region& changed) = 0;
    // Blocks until the user acts and appends what happened to `input` (at least one entry).
    // `frame` is the frame as last presented, for backends that look at it.
    virtual void waitForInput(const Surface& frame, std::vector<PointerInput>& input) = 0;
    // The platform's mouse capture changed; a window backend holds the system's capture.
    virtual void captureChanged(bool /*held*/) {}
};

}  // namespace tev
