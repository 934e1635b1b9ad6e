// A tiny program on the platform that misuses the slider in one of a few ways, chosen by the
// environment variable TEV_MISUSE, so tests can see what the platform's start-up and default
// error handler make of each: the exit status and the message on stderr.
#include <cstdlib>
#include <string>

#include "tev/application.hpp"
#include "tev/resources.hpp"
#include "tevslid.hpp"

namespace {

std::unique_ptr<tev::TevSlider> makeSlider(int ticks) {
    auto slider =
        tev::TevSlider::New(nullptr, nullptr, tev::PositionPair{100, 200}, tev::SizePair{100, 40});
    slider->Ticks = ticks;
    slider->Create();
    return slider;
}

// The event loop of a program on the platform, until the close request.
void runEventLoop() {
    tev::EventCode nEvent = 0;
    tev::MessageParam mp1;
    tev::MessageParam mp2;
    tev::Window* oTarget = nullptr;
    while (nEvent != tev::CloseRequest) {
        nEvent = tev::AppEvent(mp1, mp2, oTarget);
        oTarget->HandleEvent(nEvent, mp1, mp2);
    }
}

}  // namespace

void Main() {
    const char* chosen = std::getenv("TEV_MISUSE");
    const std::string misuse = chosen != nullptr ? chosen : "";
    if (misuse == "ticks-below-two") {
        makeSlider(1);
    } else if (misuse == "edit-buffer-outside") {
        makeSlider(10)->SetEditBuffer(11);
    } else if (misuse == "position-not-a-pair") {
        const auto slider = makeSlider(10);
        tev::PostAppEvent(tev::SliderPositionEvent, 3, {}, slider.get());
        runEventLoop();
    } else if (misuse == "malformed-thumb-bitmap") {
        // A program that replaces the raised knob's picture with a truncated one.
        tev::registerBitmapResource(tev::RaisedKnobBitmap, {'B', 'M', 0x3E, 0, 0, 0});
        makeSlider(10);
    }
    runEventLoop();
}
