#pragma once

#include <memory>

#include "tev/application.hpp"
#include "tev/region.hpp"
#include "tevslid.hpp"

namespace tev::bench {

// The color mixer as its Main sets it up (three sliders whose Track callbacks call RGB, the
// first track events posted), without Main's event loop, so a benchmark can drive the loop one
// step at a time. Needs a running Application.
class MixerScene {
  public:
    MixerScene();

    TevSlider& red() { return *red_; }
    // The red slider's thumb, the only child of the slider.
    Window& redThumb() { return *red_->children().front(); }

    // The device pixel in the middle row of the red track whose cell selects tick `tick`
    // (1 to 10), `offset` pixels into the cell (0 to 7).
    static int redTrackX(int tick, int offset);
    static int redTrackY();

    // The device areas that a change of the mix redraws: the swatch and the text line.
    static DeviceRect swatchRect();
    static DeviceRect textLineRect();

  private:
    double redComponent_ = 0;
    double greenComponent_ = 0;
    double blueComponent_ = 0;
    std::unique_ptr<TevSlider> red_;
    std::unique_ptr<TevSlider> green_;
    std::unique_ptr<TevSlider> blue_;
};

// Fetches and dispatches every queued event, as the mixer's loop does, without waiting for
// input; answers how many were dispatched.
int dispatchPending(Application& app);

}  // namespace tev::bench
