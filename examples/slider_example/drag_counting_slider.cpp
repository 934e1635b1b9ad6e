#include "drag_counting_slider.hpp"

#include "tev/tev_crt.hpp"

tev::TevSlider& DragCountingSlider::OnEndTrack(const tev::MessageParam& mp1,
                                               const tev::MessageParam& mp2) {
    ++nDragsFinished;
    tev::DevPos(CountRow, CountColumn);
    tev::DevOut("OnEndTrack (overridden): drags finished" + tev::Str(nDragsFinished));
    // The default method does nothing, but calling it keeps this class right if it ever does.
    return TevSlider::OnEndTrack(mp1, mp2);
}
