#pragma once

#include <cstdint>
#include <vector>

#include "tev/region.hpp"
#include "tev/surface.hpp"

namespace tev::testing {

// A copy of a surface's pixels, to find out exactly which pixels a drawing call changed.
class Snapshot {
  public:
    explicit Snapshot(const Surface& surface);

    // The pixels that differ between the snapshot and the surface now.
    Region changedIn(const Surface& surface) const;

  private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

// Counts the pixels of a rectangle that have a color.
long countColor(const Surface& surface, const DeviceRect& rect, std::uint32_t color);

}  // namespace tev::testing
