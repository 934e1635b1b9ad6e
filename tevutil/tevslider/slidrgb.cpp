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

    // Each slider's Track callback sets its own component to the tick index times 255 / Ticks,
    // in real arithmetic with Ticks read from the slider on every call (tick 1 of 10 gives 25.5,
    // tick 10 gives 255), and shows the mix of all three.
    auto makeSlider = [&](tev::PositionPair aPos, int nStartTick, double& nComponent) {
        std::unique_ptr<TevSlider> oSlider =
            TevSlider::New(nullptr, nullptr, aPos, tev::SizePair{100, 40});
        oSlider->Create();
        oSlider->Track = [&nComponent, &nRed, &nGreen, &nBlue](
                             const MessageParam& mp1, const MessageParam&, TevSlider& oTev) {
            nComponent = mp1.asNumber("Track") * (255.0 / oTev.Ticks);
            RGB(nRed, nGreen, nBlue);
        };
        oSlider->SetEditBuffer(nStartTick);
        tev::PostAppEvent(tev::SliderTrackEvent, nStartTick, {}, oSlider.get());
        return oSlider;
    };
    const std::unique_ptr<TevSlider> oSliderRed = makeSlider({100, 200}, 1, nRed);
    const std::unique_ptr<TevSlider> oSliderGreen = makeSlider({100, 150}, 5, nGreen);
    const std::unique_ptr<TevSlider> oSliderBlue = makeSlider({100, 100}, 10, nBlue);

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
