#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "offscreen_backend.hpp"
#include "slider_look.hpp"
#include "support/test_app.hpp"
#include "tev/application.hpp"
#include "tev/tev_crt.hpp"
#include "tevslid.hpp"

namespace tev {
namespace {

using testing::horizontalLook;
using testing::verticalLook;

// A program with a horizontal and a vertical slider and an owner that logs its callbacks, run
// through the real event loop on the offscreen backend. The script drags each thumb across
// several cells and checks the whole look of both sliders after every step: the thumb jumps
// from tick to tick, shows the pressed knob while the button is held and the raised knob after.
TEST(ScriptedDragTest, ThumbsJumpFromTickToTickAndCallbacksFollowTheProtocol) {
    auto backend = std::make_unique<OffscreenBackend>();
    OffscreenBackend& script = *backend;
    Application app("drag", std::move(backend));

    std::vector<std::string> log;
    auto logger = [&](const char* name) {
        return [&log, name](const MessageParam& mp1, const MessageParam& mp2, TevSlider& slider) {
            log.push_back(std::string(name) + " " + mp1.toString() +
                          (mp2.isUnset() ? "" : " +mp2") +
                          (slider.Vertical ? " (vertical)" : " (horizontal)"));
        };
    };
    SetColor("N/W");
    Scroll();
    // Horizontal: {100, 200}, 100 x 40, 10 ticks; device x 100..199, rows 160..199.
    auto horizontal = TevSlider::New(nullptr, nullptr, PositionPair{100, 200}, SizePair{100, 40});
    horizontal->Create();
    // Vertical: {400, 100}, 40 x 200, 5 ticks; device x 400..439, rows 100..299.
    auto vertical = TevSlider::New(nullptr, nullptr, PositionPair{400, 100}, SizePair{40, 200});
    vertical->Vertical = true;
    vertical->Ticks = 5;
    vertical->Create();
    for (TevSlider* slider : {horizontal.get(), vertical.get()}) {
        slider->BeginTrack = logger("BeginTrack");
        slider->Track = logger("Track");
        slider->EndTrack = logger("EndTrack");
    }

    int checks = 0;
    auto expectLooks = [&](int hValue, int vValue, int hKnob, int vKnob) {
        script.addFrameAction([&, hValue, vValue, hKnob, vKnob](const Surface& frame) {
            SCOPED_TRACE("check " + std::to_string(++checks));
            EXPECT_TRUE(horizontalLook(100, 40, 10, hValue, hKnob).matches(frame, 100, 199));
            EXPECT_TRUE(verticalLook(40, 200, 5, vValue, vKnob).matches(frame, 400, 299));
        });
    };
    using Kind = PointerInput::Kind;
    auto input = [&](Kind kind, int x, int y) { script.addPause().addInput({kind, x, y}); };

    expectLooks(1, 1, RaisedKnobBitmap, RaisedKnobBitmap);
    input(Kind::Press, 110, 179);  // on the horizontal thumb, tick 1, at thumb (8, 8)
    expectLooks(1, 1, PressedKnobBitmap, RaisedKnobBitmap);
    input(Kind::Move, 127, 179);  // slider x 27: cell 3
    expectLooks(3, 1, PressedKnobBitmap, RaisedKnobBitmap);
    input(Kind::Move, 185, 150);  // slider x 85: cell 10, above the slider
    expectLooks(10, 1, PressedKnobBitmap, RaisedKnobBitmap);
    input(Kind::Release, 185, 150);
    expectLooks(10, 1, RaisedKnobBitmap, RaisedKnobBitmap);

    input(Kind::Press, 420, 288);  // the vertical thumb on tick 1 (y 2..17): thumb (8, 9)
    input(Kind::Move, 420, 220);   // slider y 79: cell 2 of 36-pixel cells
    expectLooks(10, 2, RaisedKnobBitmap, PressedKnobBitmap);
    input(Kind::Move, 700, 20);  // far outside the window: slider y 279, the last tick
    expectLooks(10, 5, RaisedKnobBitmap, PressedKnobBitmap);
    input(Kind::Release, 700, 20);
    expectLooks(10, 5, RaisedKnobBitmap, RaisedKnobBitmap);

    testing::runUntilClose();
    EXPECT_EQ(checks, 8);
    EXPECT_EQ(log, (std::vector<std::string>{
                       "BeginTrack position pair {8, 8} (horizontal)",
                       "Track number 3 (horizontal)",
                       "Track number 10 (horizontal)",
                       // The release at slider (85, 49); the thumb stands at slider (82, 12).
                       "EndTrack position pair {3, 37} (horizontal)",
                       "BeginTrack position pair {8, 9} (vertical)",
                       "Track number 2 (vertical)",
                       "Track number 5 (vertical)",
                       // At slider (300, 279); the thumb stands at slider (12, 182).
                       "EndTrack position pair {288, 97} (vertical)",
                   }));
}

}  // namespace
}  // namespace tev
