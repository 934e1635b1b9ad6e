#pragma once

#include <vector>

#include "tev/backend.hpp"

namespace tev {

// Turns the system's reports about the left mouse button and the pointer into the platform's
// pointer input, for one window shown `scale` times enlarged:
//   - positions are mapped back to unscaled device pixels by floor division, so a position
//     left of or above the window stays outside it at every scale;
//   - when several pointer movements follow each other in one batch, only the latest is kept;
//     presses, releases and their order are never touched;
//   - a drag always ends: when the system takes the mouse away while a drag may be under way
//     (the window loses the focus, is hidden or minimised, or a movement shows the button up
//     although no release came), one CaptureLost is reported, so the platform can give the
//     control holding the capture the release it would otherwise never get.
//
// Each call appends to `batch`, the input collected since the platform last asked for it.
class PointerTranslator {
  public:
    explicit PointerTranslator(int scale) : scale_(scale) {}

    void press(int windowX, int windowY, std::vector<PointerInput>& batch);
    void release(int windowX, int windowY, std::vector<PointerInput>& batch);
    void motion(int windowX, int windowY, bool leftButtonHeld, std::vector<PointerInput>& batch);
    void closeRequested(std::vector<PointerInput>& batch);
    // The focus went elsewhere, or the window was hidden or minimised.
    void mouseTakenAway(std::vector<PointerInput>& batch);

    // The platform took or gave back the mouse capture.
    void captureChanged(bool held);
    bool captureHeld() const { return captureHeld_; }

  private:
    int unscale(int value) const;
    void reportCaptureLost(std::vector<PointerInput>& batch);

    int scale_;
    // Invariant: leftButtonDown_ is true from a reported press until its release or until a
    // CaptureLost ended the drag, whichever comes first.
    bool leftButtonDown_ = false;
    bool captureHeld_ = false;
};

}  // namespace tev
