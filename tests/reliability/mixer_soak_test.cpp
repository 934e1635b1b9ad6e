#include "mixer_soak.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "slidrgb.hpp"
#include "support/test_app.hpp"

namespace tev {
namespace {

using testing::MixerSoak;
using testing::SoakFailure;
using testing::TestApp;

// The seed and the length of the soak; TEV_SOAK_SEED and TEV_SOAK_ACTIONS replay a failure
// or try other sessions.
std::uint64_t environmentNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

// The color mixer's own Main, fed 100,000 random mouse actions one at a time, keeps its
// invariants after every one of them (see MixerSoak).
TEST(MixerSoakTest, InvariantsHoldAfterEveryRandomMouseAction) {
    const std::uint64_t seed = environmentNumber("TEV_SOAK_SEED", 20260611);
    const long actions = static_cast<long>(environmentNumber("TEV_SOAK_ACTIONS", 100'000));
    std::cout << "soak: seed " << seed << ", " << actions << " actions" << std::endl;

    TestApp t;
    MixerSoak soak(seed, actions, t.backend());
    soak.start();
    try {
        Main();
    } catch (const SoakFailure& e) {
        FAIL() << e.what();
    } catch (const std::exception& e) {
        FAIL() << soak.whereItStands() << ": the mixer raised: " << e.what();
    }

    const MixerSoak::Totals& totals = soak.totals();
    EXPECT_GE(totals.actions, actions);
    EXPECT_EQ(totals.beginTracks, totals.endTracks) << "every begin-track has one end-track";
    // A full-length session reaches what it is meant to: many drags, track events, and every
    // value on every slider. (A short replay of a failure need not.)
    if (actions >= 10'000) {
        EXPECT_GT(totals.beginTracks, actions / 20);
        EXPECT_GT(totals.trackCalls, actions / 4);
        constexpr std::uint32_t kValuesOneToTen = 0x7FE;
        for (std::size_t i = 0; i < totals.valuesSeen.size(); ++i) {
            EXPECT_EQ(totals.valuesSeen[i], kValuesOneToTen) << "values seen by slider " << i;
        }
    }
    std::cout << "soak: " << totals.actions << " actions, " << totals.beginTracks << " drags, "
              << totals.trackCalls << " track calls" << std::endl;
}

}  // namespace
}  // namespace tev
