#include <gtest/gtest.h>

#include <cmath>

#include "slider_probe.hpp"
#include "support/test_app.hpp"
#include "tev/runtime_error.hpp"

namespace tev {
namespace {

using testing::SliderProbe;
using testing::TestApp;

// The color mixer's slider: 100 wide, 10 ticks, cells 8 pixels wide from x = 10.
class SliderEventsTest : public ::testing::Test {
  protected:
    SliderEventsTest() {
        slider = tev::New<SliderProbe>(nullptr, nullptr, PositionPair{100, 200}, SizePair{100, 40});
        slider->Create();
    }
    // Sends a position event and answers the index of the track event it queued.
    int positionEvent(PositionPair pos) {
        slider->HandleEvent(SliderPositionEvent, pos);
        MessageParam mp1;
        MessageParam mp2;
        Window* target = nullptr;
        EXPECT_EQ(t.app().next(mp1, mp2, target), SliderTrackEvent);
        EXPECT_EQ(target, slider.get());
        EXPECT_TRUE(mp2.isUnset());
        EXPECT_FALSE(t.app().hasPending());
        return static_cast<int>(mp1.asNumber("test"));
    }

    TestApp t;
    std::unique_ptr<SliderProbe> slider;
};

// A position selects the tick whose cell holds it, not the nearest tick mark; positions before
// the track give 1, positions at or beyond its end give Ticks.
TEST_F(SliderEventsTest, PositionSelectsTheTickOfItsCell) {
    struct Case {
        double x;
        int index;
    };
    const Case cases[] = {
        {10, 1},   {17.999, 1}, {18, 2},  {25, 2},  // mark 3 at 27.8 is nearer, cell 2 holds it
        {26, 3},   {81.99, 9},  {82, 10}, {89, 10},   {90, 10},   {91, 10},
        {9.99, 1}, {0, 1},      {-5, 1},  {-3000, 1}, {3000, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionEvent({c.x, 20}), c.index) << "x = " << c.x;
        EXPECT_EQ(slider->EditBuffer(), c.index) << "x = " << c.x;
        EXPECT_NEAR(slider->thumb().CurrentPos().x, (*slider->TickPositions)[c.index - 1] - 8,
                    1e-9);
    }
    // The other coordinate plays no part.
    EXPECT_EQ(positionEvent({30, -500}), 3);
    EXPECT_EQ(positionEvent({30, 500}), 3);
}

TEST_F(SliderEventsTest, VerticalSliderReadsY) {
    auto vertical =
        tev::New<SliderProbe>(nullptr, nullptr, PositionPair{300, 100}, SizePair{40, 200});
    vertical->Vertical = true;
    vertical->Ticks = 5;
    vertical->Create();
    // Cells 36 wide from y = 10.
    vertical->HandleEvent(SliderPositionEvent, PositionPair{-900, 46});
    EXPECT_EQ(vertical->EditBuffer(), 2);
    EXPECT_EQ(vertical->thumb().CurrentPos(), (PositionPair{12, 47}));
}

// Callback first, then the method of the same name; the index of a track event reaches Track.
TEST_F(SliderEventsTest, TrackingEventsCallTheCallbackThenTheMethod) {
    slider->recordCallbacks();
    slider->HandleEvent(SliderBeginTrackEvent, PositionPair{3, 4});
    slider->HandleEvent(SliderTrackEvent, 7);
    slider->HandleEvent(SliderEndTrackEvent, PositionPair{5, 6});
    EXPECT_EQ(slider->log, (std::vector<std::string>{
                               "callback BeginTrack position pair {3, 4}",
                               "method BeginTrack position pair {3, 4}",
                               "callback Track number 7",
                               "method Track number 7",
                               "callback EndTrack position pair {5, 6}",
                               "method EndTrack position pair {5, 6}",
                           }));
    // Without callbacks only the methods run.
    slider->log.clear();
    slider->BeginTrack = nullptr;
    slider->Track = nullptr;
    slider->EndTrack = nullptr;
    slider->HandleEvent(SliderTrackEvent, 2);
    EXPECT_EQ(slider->log, (std::vector<std::string>{"method Track number 2"}));
}

TEST_F(SliderEventsTest, SameIndexStillPlacesTheThumbAndQueuesATrackEvent) {
    slider->recordCallbacks();
    EXPECT_EQ(positionEvent({12, 20}), 1);
    EXPECT_EQ(positionEvent({12, 20}), 1);
    EXPECT_TRUE(slider->log.empty());  // the track events were fetched, not dispatched
}

// A callback that replaces itself while it runs finishes safely.
TEST_F(SliderEventsTest, CallbackMayReplaceItself) {
    int calls = 0;
    slider->Track = [&](const MessageParam&, const MessageParam&, TevSlider& s) {
        ++calls;
        s.Track = nullptr;
    };
    slider->HandleEvent(SliderTrackEvent, 1);
    slider->HandleEvent(SliderTrackEvent, 1);
    EXPECT_EQ(calls, 1);
}

// A press on the slider's own area reaches LbDown through the base class, which turns it into
// a position event; the slider does not capture the mouse.
TEST_F(SliderEventsTest, PressOnTheTrackJumpsToTheCell) {
    slider->recordCallbacks();
    // The slider's pixel x = 50 (cell 6) at window x 150, y 210 (device row 189).
    t.press(150, testing::deviceRow(210));
    t.move(190, testing::deviceRow(210));
    t.release(190, testing::deviceRow(210));
    t.dispatchAll();
    EXPECT_EQ(slider->EditBuffer(), 6);
    EXPECT_EQ(slider->log,
              (std::vector<std::string>{"callback Track number 6", "method Track number 6"}));
    EXPECT_EQ(t.app().captureHolder(), nullptr);
}

// Misuse that would read outside the track or divide by zero is a clear error instead.
TEST(SliderFaultsTest, MisuseIsAClearError) {
    TestApp t;
    struct Case {
        const char* name;
        std::function<void()> action;
        const char* message;
    };
    auto created = [] {
        auto s = tev::New<SliderProbe>(nullptr, nullptr, PositionPair{0, 0}, SizePair{100, 40});
        s->Create();
        return s;
    };
    auto keep = created();
    const Case cases[] = {
        {"one tick",
         [] {
             auto s = TevSlider::New();
             s->Ticks = 1;
             s->Create();
         },
         "Create: a slider needs at least 2 ticks, Ticks is 1"},
        {"negative ticks",
         [] {
             auto s = TevSlider::New();
             s->Ticks = -4;
             s->Create();
         },
         "Create: a slider needs at least 2 ticks, Ticks is -4"},
        {"index 0", [&] { keep->SetEditBuffer(0); },
         "SetEditBuffer: tick index 0 is outside 1 to 10"},
        {"index 11", [&] { keep->SetEditBuffer(11); },
         "SetEditBuffer: tick index 11 is outside 1 to 10"},
        {"SetThumb 12", [&] { keep->SetThumb(12); }, "SetThumb: tick index 12 is outside 1 to 10"},
        {"Ticks raised after Create",
         [&] {
             keep->Ticks = 20;
             keep->SetEditBuffer(15);
         },
         "SetEditBuffer: tick index 15 is outside 1 to 10"},
        {"before Create", [] { TevSlider::New()->SetEditBuffer(1); },
         "SetEditBuffer: the slider has not been created"},
        {"position as a number", [&] { keep->HandleEvent(SliderPositionEvent, 3); },
         "slider position event: expected a position pair message parameter, got number 3"},
        {"position unset", [&] { keep->HandleEvent(SliderPositionEvent); },
         "slider position event: expected a position pair message parameter, got unset"},
        {"position before Create",
         [] {
             TevSlider::New()->HandleEvent(SliderPositionEvent, PositionPair{1, 1});
         },
         "slider position event: the slider has not been created"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.action();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    keep->Ticks = 10;
    EXPECT_EQ(keep->EditBuffer(), 1);  // the failed calls changed nothing
}

// A zero-length track (the default 20 x 100 slider) or a position that is not a number still
// gives a tick on the track, never an undefined conversion.
TEST(SliderFaultsTest, DegenerateTracksClampToTheEnds) {
    TestApp t;
    auto s = tev::New<SliderProbe>();
    s->Create();
    ASSERT_EQ(*s->SliderSize, 0.0);
    struct Case {
        double x;
        int index;
    };
    for (const Case& c : {Case{10, 1}, Case{9, 1}, Case{11, 10}, Case{std::nan(""), 1},
                          Case{INFINITY, 10}, Case{-INFINITY, 1}}) {
        s->HandleEvent(SliderPositionEvent, PositionPair{c.x, 0});
        EXPECT_EQ(s->EditBuffer(), c.index) << c.x;
    }
}

}  // namespace
}  // namespace tev
