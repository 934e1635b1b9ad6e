// A program for the end-to-end tests: one slider of 10 ticks on the platform, whose tracking
// callbacks print one line each to stdout, so a test can see their order:
//     BeginTrack
//     Track N
//     EndTrack
// The slider's device area is x 100 to 299, y 160 to 199 (top-left origin); its thumb starts
// on tick 1, centred on (110, 180); the cells of the track are 18 pixels wide from x = 110.
// The probe ends after the close request, once the events queued behind it are dispatched.
#include <iostream>
#include <memory>

#include "tev/application.hpp"
#include "tev/event_codes.hpp"
#include "tevslid.hpp"

void Main() {
    const std::unique_ptr<tev::TevSlider> slider =
        tev::TevSlider::New(nullptr, nullptr, tev::PositionPair{100, 200}, tev::SizePair{200, 40});
    slider->Create();
    slider->BeginTrack = [](const tev::MessageParam&, const tev::MessageParam&, tev::TevSlider&) {
        std::cout << "BeginTrack" << std::endl;
    };
    slider->Track = [](const tev::MessageParam& mp1, const tev::MessageParam&, tev::TevSlider&) {
        std::cout << "Track " << mp1.asNumber("Track") << std::endl;
    };
    slider->EndTrack = [](const tev::MessageParam&, const tev::MessageParam&, tev::TevSlider&) {
        std::cout << "EndTrack" << std::endl;
    };

    tev::EventCode code = 0;
    tev::MessageParam mp1;
    tev::MessageParam mp2;
    tev::Window* target = nullptr;
    auto dispatchNext = [&] {
        code = tev::AppEvent(mp1, mp2, target);
        target->HandleEvent(code, mp1, mp2);
    };
    while (code != tev::CloseRequest) {
        dispatchNext();
    }
    // Track events posted by input that came in with the close request wait behind it in the
    // queue; they are dispatched too, so the output shows every callback the input caused.
    while (tev::Application::current("slider probe").hasPending()) {
        dispatchNext();
    }
}
