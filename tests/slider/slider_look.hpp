#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tev/resources.hpp"
#include "tev/surface.hpp"

namespace tev::testing {

inline constexpr std::uint32_t kFace = 0xC0C0C0;
inline constexpr std::uint32_t kDark = 0x808080;
inline constexpr std::uint32_t kLight = 0xFFFFFF;

// The look of a slider as a person would draw it, pixel by pixel in its own coordinates
// (origin bottom-left, y up): the grey face, groove line A in dark grey, groove line B in white
// one pixel right of and below it, a short dark tick line for each tick, and the knob on top.
class ExpectedSlider {
  public:
    ExpectedSlider(int w, int h) : w_(w), h_(h), pixels_(static_cast<std::size_t>(w * h), kFace) {}

    void line(double x1, double y1, double x2, double y2, std::uint32_t color) {
        // Every line here is straight along an axis; real coordinates round half up.
        const int ax = px(x1), ay = px(y1), bx = px(x2), by = px(y2);
        for (int x = std::min(ax, bx); x <= std::max(ax, bx); ++x) {
            for (int y = std::min(ay, by); y <= std::max(ay, by); ++y) {
                set(x, y, color);
            }
        }
    }
    void knob(double x, double y, int id) {
        const Bitmap& bitmap = loadBitmapResource(id);
        for (int row = 0; row < 16; ++row) {
            for (int col = 0; col < 16; ++col) {
                set(px(x) + col, px(y) + 15 - row, bitmap.at(col, row));
            }
        }
    }
    // Compares with the frame where the slider's bottom-left pixel is at device (left, bottom).
    ::testing::AssertionResult matches(const Surface& frame, int left, int bottom) const {
        for (int y = 0; y < h_; ++y) {
            for (int x = 0; x < w_; ++x) {
                const std::uint32_t actual = frame.pixel(left + x, bottom - y);
                const std::uint32_t expected = pixels_[static_cast<std::size_t>(y * w_ + x)];
                if (actual != expected) {
                    return ::testing::AssertionFailure()
                           << "slider pixel (" << x << ", " << y << ") is " << std::hex << actual
                           << " instead of " << expected;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

  private:
    static int px(double v) { return static_cast<int>(std::floor(v + 0.5)); }
    void set(int x, int y, std::uint32_t color) {
        if (x >= 0 && x < w_ && y >= 0 && y < h_)
            pixels_[static_cast<std::size_t>(y * w_ + x)] = color;
    }
    int w_;
    int h_;
    std::vector<std::uint32_t> pixels_;
};

inline ExpectedSlider horizontalLook(int w, int h, int ticks, int value, int knob) {
    ExpectedSlider look(w, h);
    const double m = h / 2.0;
    look.line(10, m, w - 11, m, kDark);
    look.line(11, m - 1, w - 10, m - 1, kLight);
    const double size = w - 20.0;
    for (int i = 1; i <= ticks; ++i) {
        const double p = 10 + (i - 1) * (size / (ticks - 1));
        look.line(p, m - 4, p, m - 8, kDark);
    }
    look.knob(10 + (value - 1) * (size / (ticks - 1)) - 8, m - 8, knob);
    return look;
}

inline ExpectedSlider verticalLook(int w, int h, int ticks, int value, int knob) {
    ExpectedSlider look(w, h);
    const double c = w / 2.0;
    look.line(c, 10, c, h - 10, kDark);
    look.line(c + 1, 9, c + 1, h - 11, kLight);
    const double size = h - 20.0;
    for (int i = 1; i <= ticks; ++i) {
        const double p = 10 + (i - 1) * (size / (ticks - 1));
        look.line(c - 4, p, c - 8, p, kDark);
    }
    look.knob(c - 8, 10 + (value - 1) * (size / (ticks - 1)) - 8, knob);
    return look;
}

}  // namespace tev::testing
