#include "tev/tev_crt.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "tev/application.hpp"
#include "tev/font.hpp"
#include "tev/runtime_error.hpp"

namespace tev {

TevCrt::TevCrt(std::string title)
    : title_(std::move(title)),
      retained_(PixelWidth, PixelHeight),
      cells_(static_cast<std::size_t>(Rows) * Columns),
      presSpace_(*this),
      colors_(parseColorPair(colorPairText_, "TevCrt")) {
    size_ = {PixelWidth, PixelHeight};
    visible_ = true;
}

TevCrt::~TevCrt() = default;

std::string TevCrt::setColorPair(std::string_view pair, const char* operation) {
    const ColorPair parsed = parseColorPair(pair, operation);
    std::string previous = std::move(colorPairText_);
    colorPairText_ = std::string(pair);
    colors_ = parsed;
    return previous;
}

void TevCrt::clearText() {
    retained_.fillRect(retained_.bounds(), colors_.background, Region(retained_.bounds()));
    noteDrawn(retained_.bounds());
}

void TevCrt::setCursor(int row, int column, const char* operation) {
    if (row < 0 || row >= Rows || column < 0 || column >= Columns) {
        throw RuntimeError(operation, "position (" + std::to_string(row) + ", " +
                                          std::to_string(column) +
                                          ") is outside the text grid of 25 rows by 80 columns");
    }
    row_ = row;
    column_ = column;
}

DeviceRect TevCrt::cellsRect(int row, int column, int count) {
    return {column * CellWidth, row * CellHeight, count * CellWidth, CellHeight};
}

void TevCrt::writeText(std::string_view text) {
    // Only cells whose pixels change are damaged, the neighbours in a row as one rectangle:
    // text written again over itself (a line of values of which one changed) shows only the
    // characters that differ.
    DeviceRect changed;
    auto noteChanged = [&] {
        if (!changed.isEmpty()) {
            damageRetained(changed);
            changed = {};
        }
    };
    for (const char32_t character : decodeText(text)) {
        if (character == U'\n') {
            ++row_;
            column_ = 0;
            continue;
        }
        if (column_ >= Columns) {
            ++row_;
            column_ = 0;
        }
        if (row_ < Rows) {
            const DeviceRect cell = cellsRect(row_, column_, 1);
            CellText& shown = cells_[static_cast<std::size_t>(row_) * Columns + column_];
            const CellText wanted{character, colors_.foreground, colors_.background, true};
            const bool same = shown == wanted;
            shown = wanted;
            if (!same && retained_.drawGlyph(glyphFor(character).data(), CellHeight, cell.x, cell.y,
                                             colors_.foreground, colors_.background)) {
                if (!changed.isEmpty() && changed.y == cell.y &&
                    changed.x + changed.width == cell.x) {
                    changed.width += cell.width;
                } else {
                    noteChanged();
                    changed = cell;
                }
            }
        }
        ++column_;
    }
    noteChanged();
    // The cursor stays on the grid: past the end it rests on the last cell.
    if (row_ >= Rows) {
        row_ = Rows - 1;
        column_ = Columns;
    }
}

void TevCrt::paintLook(Surface& frame, const Region& clip) {
    frame.copyFrom(retained_, clip);
}

DrawTarget TevCrt::drawTarget() {
    return {retained_, 0, PixelHeight - 1, Region(retained_.bounds())};
}

void TevCrt::noteDrawn(const DeviceRect& touched) {
    forgetCells(touched);
    damageRetained(touched);
}

void TevCrt::damageRetained(const DeviceRect& area) {
    if (Application* app = Application::currentOrNull(); app && &app->appWindow() == this) {
        app->damage(Region(area));
    }
}

void TevCrt::forgetCells(const DeviceRect& area) {
    const DeviceRect inside = area.intersected(retained_.bounds());
    if (inside.isEmpty()) {
        return;
    }
    for (int row = inside.y / CellHeight; row <= (inside.y + inside.height - 1) / CellHeight;
         ++row) {
        for (int column = inside.x / CellWidth; column <= (inside.x + inside.width - 1) / CellWidth;
             ++column) {
            cells_[static_cast<std::size_t>(row) * Columns + column].known = false;
        }
    }
}

std::string SetColor(std::string_view pair) {
    return Application::current("SetColor").appWindow().setColorPair(pair, "SetColor");
}

TevCrt& Scroll() {
    TevCrt& window = Application::current("Scroll").appWindow();
    window.clearText();
    return window;
}

TevCrt& SetPos(int row, int column) {
    TevCrt& window = Application::current("SetPos").appWindow();
    window.setCursor(row, column, "SetPos");
    return window;
}

TevCrt& DevPos(int row, int column) {
    TevCrt& window = Application::current("DevPos").appWindow();
    window.setCursor(row, column, "DevPos");
    return window;
}

TevCrt& DevOut(std::string_view text) {
    TevCrt& window = Application::current("DevOut").appWindow();
    window.writeText(text);
    return window;
}

std::string Str(double number) {
    constexpr int kWidth = 10;
    // Rounding to two decimals may print -0.00 for tiny negative numbers; so be it, the sign
    // is real. Only an exact negative zero is shown as 0.00.
    char buffer[400];
    if (std::isnan(number)) {
        std::snprintf(buffer, sizeof buffer, "%*s", kWidth, "NaN");
    } else if (std::isinf(number)) {
        std::snprintf(buffer, sizeof buffer, "%*s", kWidth, number > 0 ? "Inf" : "-Inf");
    } else {
        // + 0.0 turns a negative zero into zero. to_chars gives the digits of printf's "%.2f"
        // in the C locale, without printf's cost (the mixer formats three numbers a step).
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number + 0.0,
                                                std::chars_format::fixed, 2);
        (void)error;  // 400 characters hold the longest double with two decimals
        const auto length = static_cast<std::size_t>(end - buffer);
        std::string text(length < kWidth ? kWidth - length : 0, ' ');
        text.append(buffer, length);
        return text;
    }
    return buffer;
}

std::string Str(long long number) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%10lld", number);
    return buffer;
}

AttributeArray Array(std::size_t count) {
    return AttributeArray(count);
}

}  // namespace tev
