#pragma once

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "tev/backend.hpp"
#include "tev/surface.hpp"

namespace tev {

// Shows the window nowhere: frames stay in memory. The user's actions come from a script of
// steps, each one either input or an action on the frame as it stands once everything before
// it has been handled and painted (a screenshot, or a check in a test). When the script runs
// out the backend asks to close the window; a program that still waits after that gets a
// RuntimeError instead of hanging.
class OffscreenBackend : public Backend {
  public:
    using FrameAction = std::function<void(const Surface& frame)>;

    explicit OffscreenBackend(int scale = 1) : scale_(scale) {}

    // Input at device pixels of the unscaled window. Inputs added one after another without a
    // frame action between them are delivered together, as a burst.
    OffscreenBackend& addInput(const PointerInput& input);
    // Starts a new burst: the next input waits until the program is idle again.
    OffscreenBackend& addPause();
    OffscreenBackend& addFrameAction(FrameAction action);

    int scale() const { return scale_; }
    long long framesPresented() const { return framesPresented_; }
    long long pixelsPresented() const { return pixelsPresented_; }

    void present(const Surface& frame, const Region& changed) override;
    void waitForInput(const Surface& frame, std::vector<PointerInput>& input) override;
    void captureChanged(bool held) override { captureHeld_ = held; }
    bool captureHeld() const { return captureHeld_; }

  private:
    struct Pause {};
    using Step = std::variant<PointerInput, Pause, FrameAction>;

    int scale_;
    std::deque<Step> steps_;
    bool closeSent_ = false;
    bool captureHeld_ = false;
    long long framesPresented_ = 0;
    long long pixelsPresented_ = 0;
};

}  // namespace tev
