// An example program on the installed tevslider package: one vertical slider with 5 ticks
// whose three callbacks write the arguments they are called with into the text grid, and
// whose class, DragCountingSlider, overrides OnEndTrack to count finished drags.
//
// The platform's main() (tev::tevmain) reads the start-up options, creates the application
// window and calls Main. Try it headless:
//
//     slider_example --platform offscreen --replay slider_example.replay --screenshot out.png

#include <memory>
#include <string>
#include <string_view>

#include "drag_counting_slider.hpp"
#include "tev/application.hpp"
#include "tev/tev_crt.hpp"
#include "tevslid.hpp"

using tev::MessageParam;
using tev::TevSlider;

namespace {

constexpr int kTableColumn = 16;
constexpr int kHeaderRow = 4;
constexpr int kBeginTrackRow = 5;
constexpr int kTrackRow = 6;
constexpr int kEndTrackRow = 7;
constexpr int kOrderRow = 9;

// Text padded with blanks to a fixed width, so a shorter line fully replaces a longer one.
std::string padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// One row of the table: the slot, mp1, mp2 and the slider's value at the time of the call.
void showCall(int row, std::string_view slot, const MessageParam& mp1, const MessageParam& mp2,
              const TevSlider& oSlider) {
    tev::DevPos(row, kTableColumn);
    tev::DevOut(padded(std::string(slot), 12) + padded(mp1.toString(), 26) +
                padded(mp2.toString(), 8) + tev::Str(oSlider.EditBuffer().value_or(0)));
}

// Adds a call to the names of the last calls and shows them, oldest first, on one line: the
// order in which they fired.
void noteOrder(std::string& order, std::string_view slot) {
    order += " ";
    order += slot;
    constexpr std::size_t kWidth = 64 - 7;
    if (order.size() > kWidth) {
        order.erase(0, order.find(' ', order.size() - kWidth));
    }
    tev::DevPos(kOrderRow, kTableColumn);
    tev::DevOut(padded("order:" + order, 64));
}

}  // namespace

void Main() {
    tev::SetColor("N/W");
    tev::Scroll();
    tev::DevPos(1, kTableColumn);
    tev::DevOut("A vertical slider, 5 ticks: drag the knob or press the track.");
    tev::DevPos(kHeaderRow, kTableColumn);
    tev::DevOut(padded("callback", 12) + padded("mp1", 26) + padded("mp2", 8) + "     value");

    // Step one, New: the object and its settings, no window yet. Vertical and Ticks shape the
    // track, so they are set here, before step two, Create, lays the track out.
    const std::unique_ptr<DragCountingSlider> oSlider = tev::New<DragCountingSlider>(
        nullptr, nullptr, tev::PositionPair{60, 40}, tev::SizePair{40, 300});
    oSlider->Vertical = true;
    oSlider->Ticks = 5;
    oSlider->Create();

    // The callbacks may be stored, or replaced, at any time. They share the line of last calls.
    std::string order;
    oSlider->BeginTrack = [&order](const MessageParam& mp1, const MessageParam& mp2,
                                   TevSlider& oTev) {
        showCall(kBeginTrackRow, "BeginTrack", mp1, mp2, oTev);
        noteOrder(order, "BeginTrack");
    };
    oSlider->Track = [&order](const MessageParam& mp1, const MessageParam& mp2, TevSlider& oTev) {
        showCall(kTrackRow, "Track", mp1, mp2, oTev);
        noteOrder(order, "Track(" + std::to_string(static_cast<int>(mp1.asNumber("Track"))) + ")");
    };
    oSlider->EndTrack = [&order](const MessageParam& mp1, const MessageParam& mp2,
                                 TevSlider& oTev) {
        showCall(kEndTrackRow, "EndTrack", mp1, mp2, oTev);
        noteOrder(order, "EndTrack");
    };

    // Start on tick 3. SetEditBuffer calls no callback; the posted track event makes Track
    // report the starting value once the loop runs.
    oSlider->SetEditBuffer(3);
    tev::PostAppEvent(tev::SliderTrackEvent, 3, {}, oSlider.get());

    // The event loop; the close request is dispatched before it ends.
    tev::EventCode nEvent = 0;
    MessageParam mp1;
    MessageParam mp2;
    tev::Window* oTarget = nullptr;
    while (nEvent != tev::CloseRequest) {
        nEvent = tev::AppEvent(mp1, mp2, oTarget);
        oTarget->HandleEvent(nEvent, mp1, mp2);
    }
}
