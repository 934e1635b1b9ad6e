#include <gtest/gtest.h>

#include "slider_probe.hpp"
#include "support/test_app.hpp"

namespace tev {
namespace {

using testing::SliderProbe;
using testing::TestApp;

struct GeometryCase {
    const char* name;
    std::optional<SizePair> size;
    bool vertical;
    int ticks;
    double sliderSize;
    std::vector<double> ticksAt;
    PositionPair thumbAfterCreate;
};

// The track geometry in real arithmetic: ticks SliderSize / (Ticks - 1) apart from 10, the
// thumb (16 x 16) centred on tick 1 across the middle of the slider.
TEST(SliderGeometryTest, CreateComputesTheTrackAndPlacesTheThumb) {
    const double ninth = 80.0 / 9;
    const GeometryCase cases[] = {
        {"horizontal 100x40, 10 ticks",
         SizePair{100, 40},
         false,
         10,
         80.0,
         {10, 10 + ninth, 10 + 2 * ninth, 10 + 3 * ninth, 10 + 4 * ninth, 10 + 5 * ninth,
          10 + 6 * ninth, 10 + 7 * ninth, 10 + 8 * ninth, 90},
         {2, 12}},
        {"vertical 40x200, 5 ticks",
         SizePair{40, 200},
         true,
         5,
         180.0,
         {10, 55, 100, 145, 190},
         {12, 2}},
        {"default 20x100",
         std::nullopt,
         false,
         10,
         0.0,
         {10, 10, 10, 10, 10, 10, 10, 10, 10, 10},
         {2, 42}},
        {"two ticks", SizePair{100, 40}, false, 2, 80.0, {10, 90}, {2, 12}},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp t;
        auto slider = tev::New<SliderProbe>(nullptr, nullptr, PositionPair{50, 50}, c.size);
        slider->Vertical = c.vertical;
        slider->Ticks = c.ticks;
        slider->Create();
        ASSERT_TRUE(slider->SliderSize.has_value());
        EXPECT_EQ(*slider->SliderSize, c.sliderSize);
        ASSERT_EQ(slider->TickPositions->size(), c.ticksAt.size());
        for (std::size_t i = 0; i < c.ticksAt.size(); ++i) {
            EXPECT_NEAR((*slider->TickPositions)[i], c.ticksAt[i], 1e-9) << "tick " << i + 1;
        }
        EXPECT_EQ(slider->thumb().CurrentPos(), c.thumbAfterCreate);
        EXPECT_EQ(slider->thumb().CurrentSize(), (SizePair{16, 16}));
        EXPECT_EQ(slider->EditBuffer(), 1);
        EXPECT_TRUE(slider->isVisible());
    }
}

TEST(SliderGeometryTest, SetEditBufferCentresTheThumbOnTheTick) {
    TestApp t;
    auto horizontal =
        tev::New<SliderProbe>(nullptr, nullptr, PositionPair{100, 200}, SizePair{100, 40});
    horizontal->Create();
    struct Case {
        int index;
        double x;
    };
    for (const Case& c : {Case{1, 2}, Case{5, 10 + 4 * 80.0 / 9 - 8}, Case{10, 82}, Case{10, 82}}) {
        horizontal->SetEditBuffer(c.index);
        EXPECT_NEAR(horizontal->thumb().CurrentPos().x, c.x, 1e-9) << c.index;
        EXPECT_EQ(horizontal->thumb().CurrentPos().y, 12);
        EXPECT_EQ(horizontal->EditBuffer(), c.index);
    }
    EXPECT_TRUE(horizontal->log.empty());  // no callback, no method
    EXPECT_FALSE(t.app().hasPending());    // no event posted

    auto vertical =
        tev::New<SliderProbe>(nullptr, nullptr, PositionPair{300, 100}, SizePair{40, 200});
    vertical->Vertical = true;
    vertical->Ticks = 5;
    vertical->Create();
    vertical->SetThumb(3);
    EXPECT_EQ(vertical->thumb().CurrentPos(), (PositionPair{12, 92}));
    EXPECT_EQ(vertical->ThumbPos, 3);
}

// After a resize the thumb is centred across the track by the new size, while its place along
// the track stays that of the tick computed at creation.
TEST(SliderGeometryTest, ResizedSliderKeepsItsTicks) {
    TestApp t;
    auto slider =
        tev::New<SliderProbe>(nullptr, nullptr, PositionPair{100, 200}, SizePair{100, 40});
    slider->Create();
    slider->SetSize({200, 60});
    slider->SetEditBuffer(10);
    EXPECT_EQ(slider->thumb().CurrentPos(), (PositionPair{82, 22}));
}

TEST(SliderGeometryTest, CreateArgumentsAndDefaults) {
    TestApp t;
    // Create without a size uses Init's; with a size it uses that one and leaves Size alone.
    auto given = tev::New<SliderProbe>(nullptr, nullptr, PositionPair{0, 0}, SizePair{100, 40});
    given->Create(nullptr, nullptr, std::nullopt, SizePair{60, 40});
    EXPECT_EQ(given->CurrentSize(), (SizePair{60, 40}));
    EXPECT_EQ(*given->SliderSize, 40.0);
    EXPECT_EQ(given->Size, (SizePair{100, 40}));

    // The caller's pair is copied.
    SizePair mine{100, 40};
    auto copied = tev::New<SliderProbe>(nullptr, nullptr, std::nullopt, mine);
    mine.width = 5;
    EXPECT_EQ(copied->Size, (SizePair{100, 40}));

    // Visibility: Create's lVisible, else Init's, else visible.
    auto hiddenByCreate = tev::New<SliderProbe>();
    hiddenByCreate->Create(nullptr, nullptr, std::nullopt, std::nullopt, {}, false);
    EXPECT_FALSE(hiddenByCreate->isVisible());
    EXPECT_TRUE(hiddenByCreate->thumb().isVisible());
    auto hiddenByInit =
        tev::New<SliderProbe>(nullptr, nullptr, std::nullopt, std::nullopt, PresParams{}, false);
    hiddenByInit->Create();
    EXPECT_FALSE(hiddenByInit->isVisible());

    auto fresh = TevSlider::New();
    EXPECT_FALSE(fresh->EditBuffer().has_value());
    EXPECT_EQ(fresh->Ticks, 10);
    EXPECT_FALSE(fresh->Vertical);
    EXPECT_EQ(fresh->Type, static_type::Panel);
    EXPECT_TRUE(fresh->ClipChildren);
}

}  // namespace
}  // namespace tev
