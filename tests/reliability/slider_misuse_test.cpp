// Misuse of the slider by a program is a catchable RuntimeError that names the operation and
// the value, raised before anything changes: the slider keeps its value, its thumb and its
// pixels, and the program may go on.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/test_app.hpp"
#include "tev/runtime_error.hpp"
#include "tevslid.hpp"

namespace tev {
namespace {

using testing::TestApp;

std::unique_ptr<TevSlider> demoSlider() {
    return TevSlider::New(nullptr, nullptr, PositionPair{100, 200}, SizePair{100, 40});
}

// The slider's pixels as device colors, to show that a refused call changed nothing on screen.
std::vector<std::uint32_t> sliderPixels(TestApp& t, const TevSlider& slider) {
    const Surface& frame = t.paint();
    const DeviceRect area = slider.deviceRect();
    std::vector<std::uint32_t> pixels;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            pixels.push_back(frame.pixel(x, y));
        }
    }
    return pixels;
}

// Calls `action`, expects a RuntimeError, and answers its message ("" when none came).
template <class Action>
std::string errorOf(Action&& action, const std::string& operation) {
    try {
        action();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.operation(), operation);
        return e.what();
    }
    ADD_FAILURE() << "no RuntimeError";
    return "";
}

TEST(SliderMisuseTest, FewerThanTwoTicksAtCreateIsAClearErrorAndMakesNoWindow) {
    for (const int ticks : {1, 0, -3}) {
        SCOPED_TRACE("Ticks = " + std::to_string(ticks));
        TestApp t;
        const auto slider = demoSlider();
        slider->Ticks = ticks;
        EXPECT_EQ(errorOf([&] { slider->Create(); }, "Create"),
                  "Create: a slider needs at least 2 ticks, Ticks is " + std::to_string(ticks));
        EXPECT_FALSE(slider->isCreated());
        EXPECT_TRUE(t.window().children().empty());
        EXPECT_FALSE(slider->EditBuffer());
    }
    // Two ticks are the fewest that make a track: one at each end.
    TestApp t;
    const auto slider = demoSlider();
    slider->Ticks = 2;
    slider->Create().SetEditBuffer(2);
    EXPECT_EQ(slider->EditBuffer(), 2);
}

TEST(SliderMisuseTest, SetEditBufferOutsideOneToTicksIsAClearErrorAndChangesNothing) {
    TestApp t;
    const auto slider = demoSlider();
    slider->Create().SetEditBuffer(4);
    const std::vector<std::uint32_t> before = sliderPixels(t, *slider);
    for (const int index : {0, 11, -1, INT_MIN, INT_MAX}) {
        SCOPED_TRACE("index " + std::to_string(index));
        EXPECT_EQ(errorOf([&] { slider->SetEditBuffer(index); }, "SetEditBuffer"),
                  "SetEditBuffer: tick index " + std::to_string(index) + " is outside 1 to 10");
        EXPECT_EQ(slider->EditBuffer(), 4);
    }
    EXPECT_EQ(sliderPixels(t, *slider), before) << "a refused SetEditBuffer moved the thumb";

    const auto uncreated = demoSlider();
    EXPECT_EQ(errorOf([&] { uncreated->SetEditBuffer(1); }, "SetEditBuffer"),
              "SetEditBuffer: the slider has not been created");
}

TEST(SliderMisuseTest, PositionEventWithoutAPositionPairIsAClearErrorAndPostsNothing) {
    struct Case {
        const char* name;
        MessageParam mp1;
        const char* got;
    };
    const Case cases[] = {
        {"unset", MessageParam{}, "unset"},
        {"a tick index", MessageParam{3}, "number 3"},
        {"a size pair", MessageParam{SizePair{16, 16}}, "size pair {16, 16}"},
        {"a rectangle", MessageParam{Rect{0, 0, 5, 5}}, "rectangle {0, 0, 5, 5}"},
    };
    TestApp t;
    const auto slider = demoSlider();
    slider->Create().SetEditBuffer(6);
    t.dispatchAll();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf([&] { slider->HandleEvent(SliderPositionEvent, c.mp1); },
                          "slider position event"),
                  std::string("slider position event: expected a position pair message "
                              "parameter, got ") +
                      c.got);
        EXPECT_FALSE(t.app().hasPending()) << "a track event was posted";
        EXPECT_EQ(slider->EditBuffer(), 6);
    }
}

// The same event through the queue, as a program's event loop meets it.
TEST(SliderMisuseTest, PositionEventWithoutAPositionPairFailsWhereTheLoopDispatchesIt) {
    TestApp t;
    const auto slider = demoSlider();
    slider->Create();
    PostAppEvent(SliderPositionEvent, 3, {}, slider.get());
    EXPECT_EQ(errorOf([&] { t.dispatchAll(); }, "slider position event"),
              "slider position event: expected a position pair message parameter, got number 3");
    // The program may catch the error and go on: the slider still works.
    t.click(190, 180);
    t.dispatchAll();
    EXPECT_EQ(slider->EditBuffer(), 10);
}

}  // namespace
}  // namespace tev
