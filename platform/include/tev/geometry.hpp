#pragma once

#include <string>

namespace tev {

// A point {x, y} in pixels. Coordinates are real numbers: programs never round geometry,
// the platform turns them into whole pixels when it places or draws (see toPixel).
struct PositionPair {
    double x = 0;
    double y = 0;
    friend bool operator==(const PositionPair&, const PositionPair&) = default;
};

// A size {width, height} in pixels.
struct SizePair {
    double width = 0;
    double height = 0;
    friend bool operator==(const SizePair&, const SizePair&) = default;
};

// A rectangle {x1, y1, x2, y2} in a control's own pixels; (x1, y1) is the corner with the
// smaller coordinates and both corners belong to the rectangle.
struct Rect {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The one rule by which real coordinates become whole pixels, for positions and drawing
// alike: round half up, floor(v + 0.5). Unlike rounding half away from zero it commutes with
// whole-pixel shifts (toPixel(v - 8) == toPixel(v) - 8 for every v), so a thumb placed
// half its width before a tick always lands centred on the tick mark drawn at that tick.
// A non-finite coordinate raises a RuntimeError naming the operation.
inline int toPixel(double value, const char* operation);

// toPixel with every check, for values far out or not finite.
int toPixelChecked(double value, const char* operation);

inline int toPixel(double value, const char* operation) {
    // Every position and size goes through here on every event and paint, so the common case
    // is inline: a value well inside the range (a NaN fails both comparisons) needs no checks
    // beyond this, and floor is done without a call into the math library.
    constexpr double kCheckedBeyond = 1 << 23;
    if (value > -kCheckedBeyond && value < kCheckedBeyond) {
        const double shifted = value + 0.5;
        int whole = static_cast<int>(shifted);
        if (whole > shifted) {
            --whole;
        }
        return whole;
    }
    return toPixelChecked(value, operation);
}

std::string toString(const PositionPair& pos);
std::string toString(const SizePair& size);
std::string toString(const Rect& rect);

}  // namespace tev
