#include <gtest/gtest.h>

#include <vector>

#include "support/test_app.hpp"
#include "tev/runtime_error.hpp"
#include "tev/tev_static.hpp"

namespace tev {
namespace {

using testing::TestApp;

// Records every event that reaches it.
class Recorder : public TevStatic {
  public:
    struct Seen {
        EventCode code;
        MessageParam mp1;
        MessageParam mp2;
    };
    std::vector<Seen> seen;
    Window& HandleEvent(EventCode code, const MessageParam& mp1, const MessageParam& mp2) override {
        seen.push_back({code, mp1, mp2});
        return TevStatic::HandleEvent(code, mp1, mp2);
    }
};

TEST(EventQueueTest, PostedEventsAndInputComeOutInArrivalOrder) {
    TestApp t;
    auto control = tev::New<Recorder>(nullptr, nullptr, PositionPair{0, 0}, SizePair{640, 400});
    control->Create();
    PostAppEvent(0x08000101, 1, {}, control.get());
    t.press(10, 10);
    PostAppEvent(0x08000102, PositionPair{3, 4}, 2.5, control.get());
    t.release(10, 10);
    t.dispatchAll();

    std::vector<EventCode> codes;
    for (const auto& seen : control->seen)
        codes.push_back(seen.code);
    EXPECT_EQ(codes, (std::vector<EventCode>{0x08000101, MouseLeftDown, 0x08000102, MouseLeftUp,
                                             MouseLeftClick}));
    EXPECT_EQ(control->seen[2].mp1, MessageParam(PositionPair{3, 4}));
    EXPECT_EQ(control->seen[2].mp2, MessageParam(2.5));
}

TEST(EventQueueTest, AppEventAnswersCodeParametersAndTarget) {
    TestApp t;
    PostAppEvent(0x08000007, 5, {}, &SetAppWindow());
    MessageParam mp1;
    MessageParam mp2 = 9;
    Window* target = nullptr;
    EXPECT_EQ(AppEvent(mp1, mp2, target), 0x08000007u);
    EXPECT_EQ(mp1, MessageParam(5));
    EXPECT_TRUE(mp2.isUnset());
    EXPECT_EQ(target, &t.window());
}

TEST(EventQueueTest, EventsForAWindowThatIsGoneAreDropped) {
    TestApp t;
    auto keep = tev::New<Recorder>();
    keep->Create();
    {
        auto gone = tev::New<Recorder>();
        gone->Create();
        PostAppEvent(0x08000101, {}, {}, gone.get());
        PostAppEvent(0x08000102, {}, {}, keep.get());
    }
    EXPECT_EQ(t.dispatchAll(), 1);
    ASSERT_EQ(keep->seen.size(), 1u);
    EXPECT_EQ(keep->seen[0].code, 0x08000102u);
}

TEST(EventQueueTest, MisuseIsAClearError) {
    {
        TestApp t;
        EXPECT_THROW(PostAppEvent(1, {}, {}, nullptr), RuntimeError);
    }
    MessageParam mp1;
    MessageParam mp2;
    Window* target = nullptr;
    // No application is running any more.
    EXPECT_THROW(AppEvent(mp1, mp2, target), RuntimeError);
    EXPECT_THROW(SetAppWindow(), RuntimeError);
}

TEST(EventQueueTest, OffscreenSessionClosesOnceAndNeverHangs) {
    TestApp t;
    MessageParam mp1;
    MessageParam mp2;
    Window* target = nullptr;
    EXPECT_EQ(AppEvent(mp1, mp2, target), CloseRequest);
    EXPECT_EQ(target, &t.window());
    EXPECT_THROW(AppEvent(mp1, mp2, target), RuntimeError);
}

}  // namespace
}  // namespace tev
