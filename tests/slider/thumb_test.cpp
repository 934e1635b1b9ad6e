#include <gtest/gtest.h>

#include "slider_probe.hpp"
#include "support/test_app.hpp"
#include "tev/resources.hpp"

namespace tev {
namespace {

using testing::deviceRow;
using testing::SliderProbe;
using testing::TestApp;

// The color mixer's red slider at {100, 200}, 100 x 40: its thumb on tick 1 covers device
// pixels x 102..117, rows 172..187; its centre is at device (110, 179).
class ThumbTest : public ::testing::Test {
  protected:
    ThumbTest() {
        slider = tev::New<SliderProbe>(nullptr, nullptr, PositionPair{100, 200}, SizePair{100, 40});
        slider->Create();
        slider->recordCallbacks();
    }
    TevThumb& thumb() { return slider->thumb(); }

    // Whether the frame shows the knob bitmap `id` where the thumb stands.
    bool showsKnob(int id) {
        const Surface& frame = t.paint();
        const DeviceRect area = thumb().deviceRect();
        const Bitmap& knob = loadBitmapResource(id);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (frame.pixel(area.x + x, area.y + y) != knob.at(x, y))
                    return false;
            }
        }
        return true;
    }

    TestApp t;
    std::unique_ptr<SliderProbe> slider;
};

TEST_F(ThumbTest, DragJumpsFromTickToTickWithThePressedKnob) {
    EXPECT_TRUE(showsKnob(RaisedKnobBitmap));
    t.press(110, 179);
    t.dispatchAll();
    EXPECT_TRUE(thumb().lHasCapture);
    EXPECT_EQ(t.app().captureHolder(), &thumb());
    EXPECT_TRUE(showsKnob(PressedKnobBitmap));
    EXPECT_EQ(thumb().Caption, CaptionValue{PressedKnobBitmap});

    // Into cell 6 (slider x 50), then far outside the window on both sides.
    t.move(150, 179);
    t.dispatchAll();
    EXPECT_EQ(slider->EditBuffer(), 6);
    EXPECT_EQ(thumb().deviceRect().x, 100 + 46);  // tick 6 at 54.44, less 8, in whole pixels
    EXPECT_TRUE(showsKnob(PressedKnobBitmap));
    t.move(-400, 900);
    t.dispatchAll();
    EXPECT_EQ(slider->EditBuffer(), 1);
    t.move(2000, -50);
    t.dispatchAll();
    EXPECT_EQ(slider->EditBuffer(), 10);

    t.release(2000, -50);  // outside the window: the capture still brings it to the thumb
    t.dispatchAll();
    EXPECT_FALSE(thumb().lHasCapture);
    EXPECT_EQ(t.app().captureHolder(), nullptr);
    EXPECT_TRUE(showsKnob(RaisedKnobBitmap));
    // Press and release report thumb coordinates; the release point lies far right of the
    // thumb, now at slider x 82 (device 182), and far above it.
    EXPECT_EQ(slider->log, (std::vector<std::string>{
                               "callback BeginTrack position pair {8, 8}",
                               "method BeginTrack position pair {8, 8}",
                               "callback Track number 6",
                               "method Track number 6",
                               "callback Track number 1",
                               "method Track number 1",
                               "callback Track number 10",
                               "method Track number 10",
                               "callback EndTrack position pair {1818, 237}",
                               "method EndTrack position pair {1818, 237}",
                           }));
}

// Track events still queued when the release is handled arrive after EndTrack.
TEST_F(ThumbTest, QueuedTrackEventsFollowEndTrack) {
    t.press(110, 179);
    t.move(150, 179);
    t.release(150, 179);
    t.dispatchAll();
    std::vector<std::string> callbacks;
    for (const std::string& line : slider->log) {
        if (line.rfind("callback", 0) == 0)
            callbacks.push_back(line.substr(9, 5));
    }
    EXPECT_EQ(callbacks, (std::vector<std::string>{"Begin", "EndTr", "Track"}));
}

TEST_F(ThumbTest, ExactlyOneEndTrackPerDragWhateverTheOrder) {
    auto endTracks = [&] {
        return std::count(slider->log.begin(), slider->log.end(),
                          std::string("callback EndTrack position pair {1, 2}"));
    };
    // A second press during the drag repeats the begin-track; one release ends it.
    thumb().LbDown({8, 8});
    thumb().LbDown({8, 8});
    EXPECT_EQ(std::count(slider->log.begin(), slider->log.end(),
                         std::string("callback BeginTrack position pair {8, 8}")),
              2);
    thumb().LbUp({1, 2});
    thumb().lbClick({1, 2});
    EXPECT_EQ(endTracks(), 1);
    // The click first, then the release.
    thumb().LbDown({8, 8});
    thumb().lbClick({1, 2});
    thumb().LbUp({1, 2});
    EXPECT_EQ(endTracks(), 2);
    // Release and click with no press before them: nothing.
    thumb().LbUp({1, 2});
    thumb().lbClick({1, 2});
    EXPECT_EQ(endTracks(), 2);
    EXPECT_TRUE(showsKnob(RaisedKnobBitmap));
}

// Every movement during a drag reports a position, also when the pointer has not moved; without
// the button held, movement over the thumb moves nothing.
TEST_F(ThumbTest, MotionReportsOnlyWhileDragging) {
    t.move(110, 179);
    t.move(112, 179);
    t.dispatchAll();
    EXPECT_TRUE(slider->log.empty());
    t.press(110, 179);
    t.move(110, 179);
    t.move(110, 179);
    t.dispatchAll();
    EXPECT_EQ(
        std::count(slider->log.begin(), slider->log.end(), std::string("callback Track number 1")),
        2);
}

// Pointer positions are measured from each control's real origin: a thumb that stands on a
// fractional tick (tick 5 at 37.56, drawn from pixel 38) still reports a pointer on the cell
// boundary at slider x 50 as 50, which selects tick 6, as a press on the track there does.
TEST_F(ThumbTest, DragOnACellBoundaryFromAFractionalTick) {
    slider->SetEditBuffer(5);
    t.press(146, 179);  // the thumb's middle, device x 138..153
    t.move(150, 179);   // slider x 50
    t.dispatchAll();
    EXPECT_EQ(slider->EditBuffer(), 6);
    t.release(150, 179);
    t.press(150, 170);  // the same x on the track above the thumb: also tick 6
    t.dispatchAll();
    EXPECT_EQ(slider->EditBuffer(), 6);
    EXPECT_EQ(slider->log[0], "callback BeginTrack position pair {8.44444, 8}");
}

// When the system takes the mouse away mid-drag, the thumb gets its release: one end-track and
// the raised knob, and later motion moves nothing.
TEST_F(ThumbTest, LostCaptureEndsTheDrag) {
    t.press(110, 179);
    t.move(150, 179);
    t.dispatchAll();
    t.app().pushInput({PointerInput::Kind::CaptureLost, 0, 0});
    t.move(190, 179);
    t.dispatchAll();
    EXPECT_EQ(std::count(slider->log.begin(), slider->log.end(),
                         std::string("callback EndTrack position pair {3.55556, 8}")),
              1);
    EXPECT_FALSE(thumb().lHasCapture);
    EXPECT_EQ(slider->EditBuffer(), 6);
    EXPECT_TRUE(showsKnob(RaisedKnobBitmap));
}

}  // namespace
}  // namespace tev
