#pragma once

#include <cstdint>
#include <string_view>

namespace tev {

// An opaque color with 8-bit components.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;

    std::uint32_t packed() const { return (red << 16) | (green << 8) | blue; }
};

// The light grey face of panels (static type 12) and of the thumb bitmaps' corners.
inline constexpr Rgb PanelFace{192, 192, 192};

// A text color pair "FG/BG" such as "N/W": each side is one of the letters N (black),
// B (blue), G (green), BG (cyan), R (red), RB (magenta), GR (brown), W (white), optionally
// followed by "+" for the bright variant. Raises a RuntimeError for anything else.
struct ColorPair {
    Rgb foreground;
    Rgb background;
};
ColorPair parseColorPair(std::string_view text, const char* operation);

// The color a single color letter (with optional "+") stands for.
Rgb colorFromLetters(std::string_view letters, const char* operation);

}  // namespace tev
