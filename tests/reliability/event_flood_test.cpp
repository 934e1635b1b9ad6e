#include <gtest/gtest.h>

#include <cstddef>
#include <memory>

#include "heap_in_use.hpp"
#include "support/test_app.hpp"
#include "tev/application.hpp"

namespace tev {
namespace {

using testing::heapBytesInUse;
using testing::TestApp;

constexpr long kFloodSize = 1'000'000;

// The event a flood posts as its n-th: the code, mp1 and mp2 all vary with n, so an event
// that is lost, repeated or reordered shows in any of them.
EventCode floodCode(long n) {
    return FirstUserEvent + static_cast<EventCode>(n % 7);
}
MessageParam floodMp2(long n) {
    if (n % 3 == 0) {
        return {};
    }
    return n % 3 == 1 ? MessageParam(PositionPair{static_cast<double>(n), -1.5})
                      : MessageParam(Rect{0, 0, static_cast<double>(n), 1});
}

void postFlood(long count) {
    for (long n = 0; n < count; ++n) {
        PostAppEvent(floodCode(n), static_cast<double>(n), floodMp2(n), &SetAppWindow());
    }
}

// Fetches `count` events and answers the number of the first one that differs from what the
// flood posted, or -1 when all arrived in order.
long drainFlood(Application& app, long count) {
    long firstWrong = -1;
    for (long n = 0; n < count; ++n) {
        MessageParam mp1;
        MessageParam mp2;
        Window* target = nullptr;
        const EventCode code = app.next(mp1, mp2, target);
        const bool right = code == floodCode(n) && mp1 == MessageParam(static_cast<double>(n)) &&
                           mp2 == floodMp2(n) && target == &app.appWindow();
        if (!right && firstWrong < 0) {
            firstWrong = n;
        }
    }
    return firstWrong;
}

// A million posted events come out in the order they went in, each with its parameters and
// target, and once they are drained the queue has given back the memory it took for them.
TEST(EventFloodTest, AMillionPostedEventsDrainInOrderAndMemoryReturnsToBaseline) {
    TestApp t;
    // A small flood first, so allocations the queue makes once for good count in the baseline.
    postFlood(100);
    ASSERT_EQ(drainFlood(t.app(), 100), -1);
    const std::size_t baseline = heapBytesInUse();

    postFlood(kFloodSize);
    const std::size_t flooded = heapBytesInUse();
    ASSERT_EQ(t.app().pendingCount(), static_cast<std::size_t>(kFloodSize));
    // The measure sees the queue at all: a million entries hold at least 32 bytes each.
    ASSERT_GT(flooded, baseline + 32 * static_cast<std::size_t>(kFloodSize));

    EXPECT_EQ(drainFlood(t.app(), kFloodSize), -1) << "first event out of order";
    EXPECT_FALSE(t.app().hasPending());
    const std::size_t drained = heapBytesInUse();
    EXPECT_LE(drained, baseline + 64 * 1024)
        << "heap in use: " << baseline << " bytes before the flood, " << flooded
        << " with it queued, " << drained << " after draining it";
}

}  // namespace
}  // namespace tev
