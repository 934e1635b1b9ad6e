#include "support/pixels.hpp"

namespace tev::testing {

Snapshot::Snapshot(const Surface& surface) : width_(surface.width()), height_(surface.height()) {
    pixels_.reserve(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            pixels_.push_back(surface.pixel(x, y));
        }
    }
}

Region Snapshot::changedIn(const Surface& surface) const {
    Region changed;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (surface.pixel(x, y) != pixels_[static_cast<std::size_t>(y) * width_ + x]) {
                changed.unite(DeviceRect{x, y, 1, 1});
            }
        }
    }
    return changed;
}

long countColor(const Surface& surface, const DeviceRect& rect, std::uint32_t color) {
    long count = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            count += surface.pixel(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

}  // namespace tev::testing
