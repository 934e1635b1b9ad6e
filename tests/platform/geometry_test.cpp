#include "tev/geometry.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tev/runtime_error.hpp"

namespace tev {
namespace {

// A thumb is placed half its width (8) before its tick and the tick mark is drawn at the tick:
// both become pixels by the same rule, which must keep them exactly 8 apart for every real
// position, halves included.
TEST(ToPixelTest, CommutesWithWholePixelShifts) {
    for (double v = -40; v <= 40; v += 0.125) {
        EXPECT_EQ(toPixel(v - 8, "test"), toPixel(v, "test") - 8) << "v = " << v;
    }
    EXPECT_EQ(toPixel(45.5555, "test"), 46);
    EXPECT_EQ(toPixel(20.5, "test"), 21);
    EXPECT_EQ(toPixel(-0.5, "test"), 0);
    EXPECT_EQ(toPixel(-0.51, "test"), -1);
}

TEST(ToPixelTest, NonFiniteOrHugeCoordinatesAreErrors) {
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300}) {
        try {
            toPixel(bad, "SetPos");
            ADD_FAILURE() << "no error for " << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.operation(), "SetPos");
        }
    }
}

}  // namespace
}  // namespace tev
