#include "tev/geometry.hpp"

#include <cmath>
#include <sstream>

#include "tev/runtime_error.hpp"

namespace tev {

namespace {

// Far beyond any surface, yet small enough that sums of a few coordinates never overflow int.
constexpr double kLargestCoordinate = 1 << 24;

std::string formatNumber(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

}  // namespace

int toPixelChecked(double value, const char* operation) {
    if (!std::isfinite(value)) {
        throw RuntimeError(operation,
                           "coordinate is not a finite number (" + formatNumber(value) + ")");
    }
    const double whole = std::floor(value + 0.5);
    if (whole > kLargestCoordinate || whole < -kLargestCoordinate) {
        throw RuntimeError(operation, "coordinate " + formatNumber(value) + " is out of range");
    }
    return static_cast<int>(whole);
}

std::string toString(const PositionPair& pos) {
    return "{" + formatNumber(pos.x) + ", " + formatNumber(pos.y) + "}";
}

std::string toString(const SizePair& size) {
    return "{" + formatNumber(size.width) + ", " + formatNumber(size.height) + "}";
}

std::string toString(const Rect& rect) {
    return "{" + formatNumber(rect.x1) + ", " + formatNumber(rect.y1) + ", " +
           formatNumber(rect.x2) + ", " + formatNumber(rect.y2) + "}";
}

}  // namespace tev
