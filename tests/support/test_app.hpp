#pragma once

#include <memory>
#include <string>

#include "offscreen_backend.hpp"
#include "tev/application.hpp"
#include "tev/color.hpp"
#include "tev/event_codes.hpp"
#include "tev/surface.hpp"
#include "tev/tev_crt.hpp"

namespace tev::testing {

// An application on the offscreen backend for one test. Input goes into the same event queue
// the program uses and is dispatched the way an event loop does: fetch, then HandleEvent on
// the target.
class TestApp {
  public:
    TestApp();
    ~TestApp();

    Application& app() { return *app_; }
    OffscreenBackend& backend() { return *backend_; }
    TevCrt& window() { return app_->appWindow(); }

    // Pointer input at device pixels (top-left origin, like a screenshot).
    void press(int x, int y) { app_->pushInput({PointerInput::Kind::Press, x, y}); }
    void move(int x, int y) { app_->pushInput({PointerInput::Kind::Move, x, y}); }
    void release(int x, int y) { app_->pushInput({PointerInput::Kind::Release, x, y}); }
    void click(int x, int y) {
        press(x, y);
        release(x, y);
    }

    // Fetches the next event (waiting for the backend's input when none is queued) and hands
    // it to its target; answers its code.
    EventCode dispatchOne();
    // Dispatches every queued event, including the ones that handling them posts; answers how
    // many were dispatched.
    int dispatchAll();
    // Dispatches queued events until one with `code` has been dispatched; answers whether it was.
    bool dispatchUntil(EventCode code);

    // Repaints what is damaged and answers the frame.
    const Surface& paint();
    Rgb pixel(int x, int y) { return paint().rgbAt(x, y); }

  private:
    OffscreenBackend* backend_;
    std::unique_ptr<Application> app_;
};

// The event loop of a program: fetch and dispatch until the close request has been dispatched.
void runUntilClose();

// A device pixel for a point in window coordinates (bottom-left origin, y up).
inline int deviceRow(int windowY) {
    return TevCrt::PixelHeight - 1 - windowY;
}

std::string describe(Rgb color);

}  // namespace tev::testing

namespace tev {
// Lets GoogleTest print colors in failure messages.
void PrintTo(const Rgb& color, std::ostream* out);
}  // namespace tev
