#include "slidrgb.hpp"

#include <memory>

#include "tev/application.hpp"
#include "tev/graphics.hpp"
#include "tev/tev_crt.hpp"
#include "tevslid.hpp"

using tev::MessageParam;
using tev::TevSlider;

void Main() {
    tev::SetColor("N/W");
    tev::Scroll();
    tev::SetPos(0, 0);

    // The components, shared by the three Track callbacks: each writes its own and passes all
    // three on. They start at 0, so the first callbacks at start-up mix with 0 for the
    // components whose slider has not reported yet.
    double nRed = 0;
    double nGreen = 0;
    double nBlue = 0;

    // A component is the tick index times 255 / Ticks, in real arithmetic, with Ticks read
    // from the slider on every call: tick 1 of 10 gives 25.5, tick 10 gives 255.
    auto component = [](const MessageParam& mp1, const TevSlider& oTev) {
        return mp1.asNumber("Track") * (255.0 / oTev.Ticks);
    };

    const std::unique_ptr<TevSlider> oSliderRed =
        TevSlider::New(nullptr, nullptr, tev::PositionPair{100, 200}, tev::SizePair{100, 40});
    oSliderRed->Create();
    oSliderRed->Track = [&](const MessageParam& mp1, const MessageParam&, TevSlider& oTev) {
        nRed = component(mp1, oTev);
        RGB(nRed, nGreen, nBlue);
    };
    oSliderRed->SetEditBuffer(1);
    tev::PostAppEvent(tev::SliderTrackEvent, 1, {}, oSliderRed.get());

    const std::unique_ptr<TevSlider> oSliderGreen =
        TevSlider::New(nullptr, nullptr, tev::PositionPair{100, 150}, tev::SizePair{100, 40});
    oSliderGreen->Create();
    oSliderGreen->Track = [&](const MessageParam& mp1, const MessageParam&, TevSlider& oTev) {
        nGreen = component(mp1, oTev);
        RGB(nRed, nGreen, nBlue);
    };
    oSliderGreen->SetEditBuffer(5);
    tev::PostAppEvent(tev::SliderTrackEvent, 5, {}, oSliderGreen.get());

    const std::unique_ptr<TevSlider> oSliderBlue =
        TevSlider::New(nullptr, nullptr, tev::PositionPair{100, 100}, tev::SizePair{100, 40});
    oSliderBlue->Create();
    oSliderBlue->Track = [&](const MessageParam& mp1, const MessageParam&, TevSlider& oTev) {
        nBlue = component(mp1, oTev);
        RGB(nRed, nGreen, nBlue);
    };
    oSliderBlue->SetEditBuffer(10);
    tev::PostAppEvent(tev::SliderTrackEvent, 10, {}, oSliderBlue.get());

    // The event loop: the close request is itself dispatched before the loop ends.
    tev::EventCode nEvent = 0;
    MessageParam mp1;
    MessageParam mp2;
    tev::Window* oTev = nullptr;
    while (nEvent != tev::CloseRequest) {
        nEvent = tev::AppEvent(mp1, mp2, oTev);
        oTev->HandleEvent(nEvent, mp1, mp2);
    }
}

void RGB(double nRed, double nGreen, double nBlue) {
    tev::PresSpace& oPS = tev::SetAppWindow().presSpace();
    tev::AttributeArray aAttr = tev::Array(5);
    const int nMax = oPS.maxColorIndex();
    oPS.setColorIndex(nMax, {nRed, nGreen, nBlue});
    aAttr[tev::area::Color] = nMax;
    const tev::AttributeArray aOldAttr = oPS.setAttrArea(aAttr);
    tev::GraBox(oPS, {300, 100}, {550, 240}, 1);
    oPS.setAttrArea(aOldAttr);

    tev::DevPos(22, 10);
    tev::DevOut("R/G/B" + tev::Str(nRed) + tev::Str(nGreen) + tev::Str(nBlue));
}
