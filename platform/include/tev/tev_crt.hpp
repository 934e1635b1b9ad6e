#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tev/color.hpp"
#include "tev/pres_space.hpp"
#include "tev/surface.hpp"
#include "tev/window.hpp"

namespace tev {

// The application window: a grid of 25 rows by 80 columns of 8 x 16 character cells on a
// surface of 640 x 400 pixels. It keeps what is drawn on it: text and graphics stay until
// something else is drawn over them, without any paint handler of the program's.
//
// Pixel coordinates start at the bottom-left corner, y up; text rows count from the top.
class TevCrt : public Window {
  public:
    static constexpr int Rows = 25;
    static constexpr int Columns = 80;
    static constexpr int PixelWidth = Columns * 8;
    static constexpr int PixelHeight = Rows * 16;

    explicit TevCrt(std::string title);
    ~TevCrt() override;

    const std::string& title() const { return title_; }
    PresSpace& presSpace() { return presSpace_; }
    Surface& retainedSurface() { return retained_; }

    // Text output, as the free functions below use it.
    std::string setColorPair(std::string_view pair, const char* operation);
    const std::string& colorPair() const { return colorPairText_; }
    void clearText();
    void setCursor(int row, int column, const char* operation);
    int cursorRow() const { return row_; }
    int cursorColumn() const { return column_; }
    // Writes text at the cursor in the current color pair and moves the cursor past it. Text
    // that runs past the last column goes on at the start of the next row; a newline starts a
    // new row; what falls below the last row is not shown.
    void writeText(std::string_view text);
    // The device rectangle of the cells from (row, column), `count` cells long.
    static DeviceRect cellsRect(int row, int column, int count);

    void paintLook(Surface& frame, const Region& clip) override;
    DrawTarget drawTarget() override;
    void noteDrawn(const DeviceRect& touched) override;

  private:
    // What a text cell shows, so that writing the same character in the same colors into it
    // again costs no look at its pixels (the mixer rewrites its whole line of values on every
    // step of a drag). A cell that graphics or a clear drew over is unknown until text is
    // written into it again.
    struct CellText {
        char32_t character = 0;
        Rgb foreground;
        Rgb background;
        bool known = false;
        friend bool operator==(const CellText&, const CellText&) = default;
    };
    void forgetCells(const DeviceRect& area);
    void damageRetained(const DeviceRect& area);

    std::string title_;
    Surface retained_;
    std::vector<CellText> cells_;
    PresSpace presSpace_;
    std::string colorPairText_ = "W/N";
    ColorPair colors_;
    int row_ = 0;
    int column_ = 0;
};

// Text output on the application window, with the current color pair.
// SetColor takes a pair such as "N/W" (see parseColorPair) and answers the previous pair.
std::string SetColor(std::string_view pair);
// Clears the whole window in the background color of the current pair.
TevCrt& Scroll();
// Sets the position of the next text output, row 0..24 and column 0..79.
TevCrt& SetPos(int row, int column);
TevCrt& DevPos(int row, int column);
// Writes text at the current position.
TevCrt& DevOut(std::string_view text);

// The default number conversion: right-aligned in a field of 10 characters (wider when the
// number needs more); real numbers with two decimals, whole numbers without.
std::string Str(double number);
std::string Str(long long number);
inline std::string Str(int number) {
    return Str(static_cast<long long>(number));
}
inline std::string Str(long number) {
    return Str(static_cast<long long>(number));
}

// A new array of `count` empty elements.
AttributeArray Array(std::size_t count);

}  // namespace tev
