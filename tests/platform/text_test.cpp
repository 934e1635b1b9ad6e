#include <gtest/gtest.h>

#include <cmath>

#include "support/test_app.hpp"
#include "tev/font.hpp"
#include "tev/runtime_error.hpp"

namespace tev {
namespace {

using testing::TestApp;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

class TextTest : public ::testing::Test {
  protected:
    TextTest() {
        SetColor("N/W");
        Scroll();
    }
    const Surface& surface() { return t.window().retainedSurface(); }

    // Checks that the cell at (row, column) shows the glyph of `character` in the colors.
    void expectCell(int row, int column, char32_t character, Rgb ink, Rgb paper) {
        const GlyphRows& glyph = glyphFor(character);
        for (int y = 0; y < CellHeight; ++y) {
            for (int x = 0; x < CellWidth; ++x) {
                const bool set = glyph[y] & (0x80 >> x);
                ASSERT_EQ(surface().rgbAt(column * 8 + x, row * 16 + y), set ? ink : paper)
                    << "cell (" << row << ", " << column << ") pixel (" << x << ", " << y << ")";
            }
        }
    }

    TestApp t;
};

TEST_F(TextTest, DevOutDrawsTheFontsGlyphsInTheColorPair) {
    DevPos(22, 10);
    DevOut("R/G/B");
    const char32_t expected[] = {U'R', U'/', U'G', U'/', U'B'};
    for (int i = 0; i < 5; ++i) {
        expectCell(22, 10 + i, expected[i], kBlack, kWhite);
    }
    // The glyphs are real: "R" has ink, a space has none.
    int ink = 0;
    for (const std::uint8_t bits : glyphFor(U'R'))
        ink += bits != 0;
    EXPECT_GT(ink, 6);
    for (const std::uint8_t bits : glyphFor(U' '))
        EXPECT_EQ(bits, 0);
    EXPECT_EQ(t.window().cursorColumn(), 15);

    SetColor("W+/B");
    DevOut("x");
    expectCell(22, 15, U'x', kWhite, (Rgb{0, 0, 128}));
}

TEST_F(TextTest, TextRunsOnToTheNextRowAndStopsAtTheBottom) {
    DevPos(3, 78);
    DevOut("abc");
    expectCell(3, 78, U'a', kBlack, kWhite);
    expectCell(3, 79, U'b', kBlack, kWhite);
    expectCell(4, 0, U'c', kBlack, kWhite);
    DevPos(24, 79);
    DevOut("xyz\nmore");  // nothing past the last cell shows, and nothing breaks
    expectCell(24, 79, U'x', kBlack, kWhite);
}

TEST_F(TextTest, Latin1AndInvalidBytesStillShow) {
    DevPos(0, 0);
    DevOut("\xC3\xA9");  // é in UTF-8
    DevOut("\xE9");      // a lone byte: the Latin-1 é
    expectCell(0, 0, U'\u00E9', kBlack, kWhite);
    expectCell(0, 1, U'\u00E9', kBlack, kWhite);
    EXPECT_EQ(decodeText("a\xF0\x9F\x98\x80"), U"a\U0001F600");
    EXPECT_EQ(decodeText("\xC0\xAF"), U"\u00C0\u00AF");  // overlong: not UTF-8
}

TEST_F(TextTest, ScrollClearsInTheBackgroundOfThePair) {
    EXPECT_EQ(SetColor("W/R"), "N/W");
    Scroll();
    EXPECT_EQ(surface().rgbAt(0, 0), (Rgb{128, 0, 0}));
    EXPECT_EQ(surface().rgbAt(639, 399), (Rgb{128, 0, 0}));
}

TEST_F(TextTest, BadColorPairsAndPositionsAreClearErrors) {
    for (const char* bad : {"N", "X/W", "N/W++", "", "/"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(SetColor(bad), RuntimeError);
    }
    EXPECT_EQ(t.window().colorPair(), "N/W");
    EXPECT_THROW(DevPos(25, 0), RuntimeError);
    EXPECT_THROW(DevPos(0, 80), RuntimeError);
    EXPECT_THROW(SetPos(-1, 0), RuntimeError);
}

TEST(StrTest, FixedWidthRightAlignedWithTwoDecimalsForReals) {
    struct Case {
        double number;
        const char* text;
    };
    const Case cases[] = {
        {25.5, "     25.50"},         {127.5, "    127.50"}, {255.0, "    255.00"},
        {76.5, "     76.50"},         {-0.0, "      0.00"},  {1e12, "1000000000000.00"},
        {std::nan(""), "       NaN"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Str(c.number), c.text) << c.number;
    }
    EXPECT_EQ(Str(5), "         5");
    EXPECT_EQ(Str(-12L), "       -12");
}

}  // namespace
}  // namespace tev
