#pragma once

#include <string>
#include <vector>

#include "tevslid.hpp"

namespace tev::testing {

// A slider that shows its protected track geometry and logs, in order, every callback and
// overridable method the tracking events reach.
class SliderProbe : public TevSlider {
  public:
    using TevSlider::Size;
    using TevSlider::SliderSize;
    using TevSlider::ThumbPos;
    using TevSlider::TickPositions;

    std::vector<std::string> log;

    // Stores a callback in each slot that logs "callback NAME mp1".
    void recordCallbacks() {
        BeginTrack = logger("callback BeginTrack");
        EndTrack = logger("callback EndTrack");
        Track = logger("callback Track");
    }

    TevSlider& OnBeginTrack(const MessageParam& mp1, const MessageParam& mp2) override {
        log.push_back("method BeginTrack " + mp1.toString());
        return TevSlider::OnBeginTrack(mp1, mp2);
    }
    TevSlider& OnEndTrack(const MessageParam& mp1, const MessageParam& mp2) override {
        log.push_back("method EndTrack " + mp1.toString());
        return TevSlider::OnEndTrack(mp1, mp2);
    }
    TevSlider& OnTrack(const MessageParam& mp1, const MessageParam& mp2) override {
        log.push_back("method Track " + mp1.toString());
        return TevSlider::OnTrack(mp1, mp2);
    }

    TevThumb& thumb() { return dynamic_cast<TevThumb&>(*children().front()); }

  private:
    SliderCallback logger(std::string name) {
        return [this, name](const MessageParam& mp1, const MessageParam& mp2, TevSlider& slider) {
            log.push_back(name + " " + mp1.toString() + (mp2.isUnset() ? "" : " mp2 set") +
                          (&slider == this ? "" : " wrong slider"));
        };
    }
};

}  // namespace tev::testing
