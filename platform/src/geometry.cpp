#include "tev/geometry.hpp"

#include <cmath>
#include <sstream>

#include "tev/runtime_error.hpp"

namespace tev {

namespace {

// Far beyond any surface, yet small enough that sums of a few coordinates stay within cairo's
// fixed-point range (about 2^23), where lines through them are still drawn exactly.
constexpr double kLargestCoordinate = 1 << 22;

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

// Built with a stream rather than string concatenation, which GCC 12 warns about spuriously.
std::string toString(const PositionPair& pos) {
    std::ostringstream out;
    out << "{" << pos.x << ", " << pos.y << "}";
    return out.str();
}

std::string toString(const SizePair& size) {
    std::ostringstream out;
    out << "{" << size.width << ", " << size.height << "}";
    return out.str();
}

std::string toString(const Rect& rect) {
    std::ostringstream out;
    out << "{" << rect.x1 << ", " << rect.y1 << ", " << rect.x2 << ", " << rect.y2 << "}";
    return out.str();
}

}  // namespace tev
