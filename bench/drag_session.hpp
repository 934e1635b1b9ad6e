#pragma once

#include <memory>

#include "mixer_scene.hpp"
#include "offscreen_backend.hpp"
#include "tev/application.hpp"

namespace tev::bench {

// An offscreen color mixer, started up and painted, with the left button held on the red
// thumb: each step is one pointer movement of the drag.
class DragSession {
  public:
    DragSession();

    Application& app() { return *app_; }
    OffscreenBackend& backend() { return *backend_; }
    MixerScene& scene() { return *scene_; }

    // One step: the pointer moves to device column x in the middle row of the red track; the
    // movement goes through the queue and is handled, then the damage is repainted and
    // presented. Answers the pixels repainted.
    long long step(int x);

    // The area that a step from the middle of tick `from`'s cell to the middle of tick `to`'s
    // really changes: the thumb where it stood and where it lands, and, when the tick changes,
    // the swatch and the text line. Takes both steps.
    Region changedArea(int from, int to);

  private:
    OffscreenBackend* backend_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<MixerScene> scene_;
};

}  // namespace tev::bench
