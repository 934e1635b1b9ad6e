#include <gtest/gtest.h>

#include <cmath>

#include "support/pixels.hpp"
#include "support/test_app.hpp"
#include "tev/graphics.hpp"
#include "tev/runtime_error.hpp"

namespace tev {
namespace {

using testing::deviceRow;
using testing::Snapshot;
using testing::TestApp;

// Drawing on the application window's presentation space, which keeps what is drawn. Each
// test compares the exact set of pixels a call changed with the set it must change.
class DrawingTest : public ::testing::Test {
  protected:
    DrawingTest() : ps(SetAppWindow().presSpace()) {
        SetColor("N/W");
        Scroll();
    }
    const Surface& surface() { return t.window().retainedSurface(); }
    // The device rectangle of a window-coordinate box, both corners included.
    static DeviceRect box(int x1, int y1, int x2, int y2) {
        return DeviceRect::spanning(x1, deviceRow(y1), x2, deviceRow(y2));
    }
    static Region ring(int x1, int y1, int x2, int y2) {
        Region r(box(x1, y1, x2, y2));
        r.subtract(box(x1 + 1, y1 + 1, x2 - 1, y2 - 1));
        return r;
    }
    void expectChanged(const Snapshot& before, const Region& expected) {
        const Region changed = before.changedIn(surface());
        Region extra = changed;
        extra.subtract(expected);
        Region missing = expected;
        missing.subtract(changed);
        EXPECT_TRUE(extra.isEmpty()) << "changed outside: " << extra.area() << " pixels, first at ("
                                     << extra.extents().x << ", " << extra.extents().y << ")";
        EXPECT_TRUE(missing.isEmpty()) << "not changed: " << missing.area() << " pixels";
    }

    TestApp t;
    PresSpace& ps;
};

TEST_F(DrawingTest, BoxModesCoverExactlyTheirPixelsCornersIncluded) {
    struct Case {
        const char* name;
        int mode;
        Region expected;
    };
    const Case cases[] = {
        {"fill", 1, Region(box(10, 10, 20, 15))},
        {"outline", 2, ring(10, 10, 20, 15)},
        {"outline and fill", 3, Region(box(10, 10, 20, 15))},
    };
    GraSetColor(ps, 4);  // red lines
    AttributeArray fill = Array(5);
    fill[area::Color] = 3;  // blue area
    ps.setAttrArea(fill);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scroll();
        const Snapshot before(surface());
        // Corners given the other way round mean the same box.
        GraBox(ps, {20, 15}, {10, 10}, c.mode);
        expectChanged(before, c.expected);
    }
    // Mode 3: a red border around a blue inside.
    EXPECT_EQ(surface().rgbAt(10, deviceRow(10)), (Rgb{255, 0, 0}));
    EXPECT_EQ(surface().rgbAt(15, deviceRow(12)), (Rgb{0, 0, 255}));
}

TEST_F(DrawingTest, LinesIncludeBothEndsAndRoundRealCoordinates) {
    const Snapshot before(surface());
    GraLine(ps, {10, 50}, {89, 50});
    GraLine(ps, {20.5, 60.4}, {20.5, 63.5});  // x 21, y 60 to 64
    Region expected(box(10, 50, 89, 50));
    expected.unite(box(21, 60, 21, 64));
    expectChanged(before, expected);
}

// A closed path made the clip confines every later drawing call to it, until it is lifted.
TEST_F(DrawingTest, PathClipConfinesDrawingUntilReleased) {
    AttributeArray fill = Array(5);
    fill[area::Color] = 4;
    ps.setAttrArea(fill);
    GraPathBegin(ps);
    GraBox(ps, {20, 20}, {30, 25}, 2);
    GraBox(ps, {50, 20}, {50, 20}, 2);
    GraPathEnd(ps);
    GraPathClip(ps, true);
    Snapshot before(surface());
    GraBox(ps, {0, 0}, {100, 100}, 1);
    GraLine(ps, {0, 22}, {200, 22});
    Region expected(box(20, 20, 30, 25));
    expected.unite(box(50, 20, 50, 20));
    expectChanged(before, expected);

    GraPathClip(ps, false);
    Scroll();
    const Snapshot after(surface());
    GraBox(ps, {0, 0}, {100, 100}, 1);
    expectChanged(after, Region(box(0, 0, 100, 100)));
}

TEST_F(DrawingTest, PathBracketMisuseIsAClearError) {
    EXPECT_THROW(GraPathEnd(ps), RuntimeError);
    EXPECT_THROW(GraPathClip(ps, true), RuntimeError);
    GraPathBegin(ps);
    EXPECT_THROW(GraPathBegin(ps), RuntimeError);
    EXPECT_THROW(GraPathClip(ps, true), RuntimeError);
    GraPathEnd(ps);
    EXPECT_THROW(GraBox(ps, {0, 0}, {1, 1}, 4), RuntimeError);
    EXPECT_THROW(GraLine(ps, {0, 0}, {std::nan(""), 1}), RuntimeError);
}

TEST_F(DrawingTest, AreaAttributesAnswerThePreviousOnesAndRestore) {
    const AttributeArray original = ps.areaAttributes();
    AttributeArray change = Array(5);
    change[area::Color] = 15;
    const AttributeArray previous = ps.setAttrArea(change);
    EXPECT_EQ(previous, original);
    EXPECT_EQ(ps.areaAttributes()[area::Color], 15);
    // Empty elements leave their attributes alone.
    EXPECT_EQ(ps.areaAttributes()[area::BackgroundColor], original[area::BackgroundColor]);
    ps.setAttrArea(previous);
    EXPECT_EQ(ps.areaAttributes(), original);

    AttributeArray bad = Array(5);
    bad[area::Color] = 16;
    EXPECT_THROW(ps.setAttrArea(bad), RuntimeError);
    EXPECT_THROW(ps.setAttrArea(Array(6)), RuntimeError);
    EXPECT_EQ(ps.areaAttributes(), original);
}

TEST_F(DrawingTest, ColorTableRoundsAndClampsRealComponents) {
    struct Case {
        std::array<double, 3> components;
        Rgb expected;
    };
    const Case cases[] = {
        {{25.5, 127.5, 255.0}, {26, 128, 255}},
        {{76.4, 0.49, 254.6}, {76, 0, 255}},
        {{-3, 300, 1e9}, {0, 255, 255}},
    };
    for (const Case& c : cases) {
        ps.setColorIndex(ps.maxColorIndex(), c.components);
        EXPECT_EQ(ps.colorOfIndex(15), c.expected);
    }
    EXPECT_THROW(ps.setColorIndex(16, {0, 0, 0}), RuntimeError);
    EXPECT_THROW(ps.setColorIndex(-1, {0, 0, 0}), RuntimeError);
    EXPECT_THROW(ps.setColorIndex(3, {std::nan(""), 0, 0}), RuntimeError);
}

TEST_F(DrawingTest, DefaultColorsDrawAnEngravedGroove) {
    // Index 1 the shadowed (dark) edge, index 0 the lit (light) edge.
    EXPECT_EQ(ps.colorOfIndex(0), (Rgb{255, 255, 255}));
    EXPECT_EQ(ps.colorOfIndex(1), (Rgb{128, 128, 128}));
}

TEST_F(DrawingTest, SetColorWithoutPresentationSpaceMeansTheApplicationWindow) {
    const auto previous = GraSetColor(nullptr, 5, 6);
    EXPECT_EQ(ps.foreground(), 5);
    EXPECT_EQ(ps.background(), 6);
    EXPECT_EQ(GraSetColor(nullptr), (std::array<int, 2>{5, 6}));
    EXPECT_EQ(GraSetColor(ps, 7), (std::array<int, 2>{5, 6}));
    EXPECT_EQ(ps.background(), 6);
    GraSetColor(ps, previous[0], previous[1]);
    EXPECT_THROW(GraSetColor(ps, 99), RuntimeError);
}

}  // namespace
}  // namespace tev
