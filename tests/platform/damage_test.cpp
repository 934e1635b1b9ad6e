// The paint pass repaints what changed on screen and nothing more: drawing that repeats what
// is there, and moves that land on the same pixels, leave no damage; yet whatever really
// changes is still shown.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/test_app.hpp"
#include "tev/graphics.hpp"
#include "tev/tev_crt.hpp"
#include "tev/tev_static.hpp"

namespace tev::testing {
namespace {

// The colors of a device area, row by row.
std::vector<Rgb> pixelsOf(const Surface& frame, const DeviceRect& area) {
    std::vector<Rgb> pixels;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            pixels.push_back(frame.rgbAt(x, y));
        }
    }
    return pixels;
}

class DamageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetColor("N/W");
        Scroll();
        app.paint();
    }

    void write(int row, int column, std::string_view text) {
        DevPos(row, column);
        DevOut(text);
    }

    TestApp app;
};

TEST_F(DamageTest, TextWrittenAgainRepaintsOnlyTheCellsThatChange) {
    write(3, 10, "R/G/B    127.50");
    app.paint();

    write(3, 10, "R/G/B    127.50");
    EXPECT_EQ(app.app().repaint(), 0) << "the same text again";

    write(3, 10, "R/G/B    153.00");
    EXPECT_EQ(app.app().repaint(), 3 * 8 * 16) << "three characters differ: 2, 7 and 5";
}

TEST_F(DamageTest, TextWrittenOverGraphicsShowsAgain) {
    // The cell is known to hold "A"; a black box then covers it. Writing "A" again must not
    // take the remembered cell for what the screen shows.
    write(0, 0, "A");
    const DeviceRect cell = TevCrt::cellsRect(0, 0, 1);
    const std::vector<Rgb> letter = pixelsOf(app.paint(), cell);

    PresSpace& ps = app.window().presSpace();
    GraBox(ps, {0, TevCrt::PixelHeight - 16}, {7, TevCrt::PixelHeight - 1}, 1);
    ASSERT_NE(pixelsOf(app.paint(), cell), letter) << "the box covers the letter";

    write(0, 0, "A");
    EXPECT_EQ(pixelsOf(app.paint(), cell), letter);
}

TEST_F(DamageTest, TheSameBoxAgainRepaintsNothingAndANewColorRepaintsTheBox) {
    PresSpace& ps = app.window().presSpace();
    GraBox(ps, {300, 100}, {349, 139}, 1);
    app.paint();

    GraBox(ps, {300, 100}, {349, 139}, 1);
    EXPECT_EQ(app.app().repaint(), 0);

    ps.setColorIndex(ps.maxColorIndex(), {255, 0, 0});
    AttributeArray attributes = Array(5);
    attributes[area::Color] = ps.maxColorIndex();
    ps.setAttrArea(attributes);
    GraBox(ps, {300, 100}, {349, 139}, 1);
    EXPECT_EQ(app.app().repaint(), 50 * 40);
    EXPECT_EQ(app.pixel(300, deviceRow(100)), (Rgb{255, 0, 0}));
}

TEST_F(DamageTest, AMoveOntoTheSamePixelsRepaintsNothing) {
    const std::unique_ptr<TevStatic> panel =
        TevStatic::New(nullptr, nullptr, PositionPair{40, 40}, SizePair{20, 10});
    panel->Type = static_type::Panel;
    panel->Create();
    app.paint();

    // 40.3 and 39.6 still round to pixel 40.
    panel->SetPos({40.3, 39.6});
    EXPECT_EQ(app.app().repaint(), 0);

    panel->SetPos({41, 40});
    EXPECT_EQ(app.app().repaint(), 21 * 10) << "the old and the new area";
    EXPECT_EQ(app.pixel(60, deviceRow(40)), PanelFace);
    EXPECT_EQ(app.pixel(40, deviceRow(40)), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace tev::testing
