#include <gtest/gtest.h>

#include <cmath>

#include "slider_look.hpp"
#include "slider_probe.hpp"
#include "support/pixels.hpp"
#include "support/test_app.hpp"
#include "tev/resources.hpp"

namespace tev {
namespace {

using testing::ExpectedSlider;
using testing::horizontalLook;
using testing::kDark;
using testing::kFace;
using testing::kLight;
using testing::SliderProbe;
using testing::Snapshot;
using testing::TestApp;
using testing::verticalLook;

struct LookCase {
    const char* name;
    bool vertical;
    SizePair size;
    int ticks;
    int value;
};

// The whole slider, groove, tick marks and knob, pixel for pixel, in both orientations and at
// fractional tick spacings and an odd width.
TEST(SliderPaintTest, GrooveTicksAndKnobMatchPixelForPixel) {
    const LookCase cases[] = {
        {"horizontal 100x40, 10 ticks, tick 1", false, {100, 40}, 10, 1},
        {"horizontal 100x40, 10 ticks, tick 5", false, {100, 40}, 10, 5},
        {"horizontal 163x31, 7 ticks, tick 7", false, {163, 31}, 7, 7},
        {"vertical 40x100, 10 ticks, tick 3", true, {40, 100}, 10, 3},
        {"vertical 41x200, 5 ticks, tick 5", true, {41, 200}, 5, 5},
    };
    for (const LookCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp t;
        SetColor("N/W");
        Scroll();
        auto slider = tev::New<SliderProbe>(nullptr, nullptr, PositionPair{200, 100}, c.size);
        slider->Vertical = c.vertical;
        slider->Ticks = c.ticks;
        slider->Create();
        slider->SetEditBuffer(c.value);
        const Surface& frame = t.paint();
        const int w = static_cast<int>(c.size.width);
        const int h = static_cast<int>(c.size.height);
        const ExpectedSlider look = c.vertical
                                        ? verticalLook(w, h, c.ticks, c.value, RaisedKnobBitmap)
                                        : horizontalLook(w, h, c.ticks, c.value, RaisedKnobBitmap);
        EXPECT_TRUE(look.matches(frame, 200, 399 - 100));
    }
}

// Paint draws only inside the requested rectangle grown by one pixel, however much of the
// track it goes over. Called directly on a frame filled with a glaring color, every pixel it
// changes must lie in that box.
TEST(SliderPaintTest, PaintChangesPixelsOnlyInsideItsRectanglePlusOne) {
    TestApp t;
    auto slider =
        tev::New<SliderProbe>(nullptr, nullptr, PositionPair{200, 100}, SizePair{100, 40});
    slider->Create();
    t.paint();
    // Drawn outside the paint pass, a slider that clips its children would also leave its
    // thumb's area alone; here only the rectangle may confine it.
    slider->ClipChildren = false;
    for (const Rect rect : {Rect{0, 0, 99, 39}, Rect{30, 15, 40, 22}, Rect{50, 0, 50, 39},
                            Rect{0, 20, 99, 20}, Rect{-20, -20, 12, 14}}) {
        Surface& frame = t.app().frame();
        frame.fillRect(frame.bounds(), {255, 0, 255}, Region(frame.bounds()));
        const Snapshot before(frame);
        slider->Paint(rect);
        Region allowed(DeviceRect::spanning(
            200 + static_cast<int>(rect.x1) - 1, 299 - static_cast<int>(rect.y1) + 1,
            200 + static_cast<int>(rect.x2) + 1, 299 - static_cast<int>(rect.y2) - 1));
        Region outside = before.changedIn(frame);
        const bool drewSomething = !outside.isEmpty();
        outside.subtract(allowed);
        EXPECT_TRUE(outside.isEmpty()) << "rect {" << rect.x1 << ", " << rect.y1 << ", " << rect.x2
                                       << ", " << rect.y2 << "}: first pixel outside at ("
                                       << outside.extents().x << ", " << outside.extents().y << ")";
        EXPECT_TRUE(drewSomething);
        EXPECT_FALSE(slider->isLocked());
    }
}

// With Ticks lowered to 0 after Create the groove is still drawn and no tick line; a slider
// narrower than its margins draws its groove backwards without complaint.
TEST(SliderPaintTest, DegenerateSlidersStillPaint) {
    TestApp t;
    auto slider =
        tev::New<SliderProbe>(nullptr, nullptr, PositionPair{200, 100}, SizePair{100, 40});
    slider->Create();
    slider->Ticks = 0;
    slider->InvalidateRect();
    const Surface& frame = t.paint();
    EXPECT_EQ(frame.pixel(200 + 50, 299 - 20), kDark);   // groove A
    EXPECT_EQ(frame.pixel(200 + 50, 299 - 19), kLight);  // groove B
    EXPECT_EQ(frame.pixel(200 + 90, 299 - 14), kFace);   // no tick line at the last tick

    auto narrow = tev::New<SliderProbe>(nullptr, nullptr, PositionPair{400, 100}, SizePair{15, 40});
    narrow->Create();
    t.paint();
    // The thumb covers that groove in the frame; painting straight onto it, not clipping the
    // thumb off, shows the lines.
    narrow->ClipChildren = false;
    narrow->Paint({0, 0, 14, 39});
    EXPECT_EQ(t.app().frame().pixel(400 + 4, 299 - 20), kDark);   // groove A from x 10 back to 4
    EXPECT_EQ(t.app().frame().pixel(400 + 5, 299 - 19), kLight);  // groove B from 11 back to 5
}

}  // namespace
}  // namespace tev
