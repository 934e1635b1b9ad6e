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
int toPixel(double value, const char* operation);

std::string toString(const PositionPair& pos);
std::string toString(const SizePair& size);
std::string toString(const Rect& rect);

}  // namespace tev
