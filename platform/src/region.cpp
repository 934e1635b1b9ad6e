#include "tev/region.hpp"

#include <algorithm>
#include <new>
#include <utility>

namespace tev {

namespace {

cairo_rectangle_int_t toCairo(const DeviceRect& rect) {
    return {rect.x, rect.y, std::max(rect.width, 0), std::max(rect.height, 0)};
}

cairo_region_t* checked(cairo_region_t* region) {
    if (cairo_region_status(region) != CAIRO_STATUS_SUCCESS) {
        throw std::bad_alloc();
    }
    return region;
}

}  // namespace

DeviceRect DeviceRect::spanning(int xa, int ya, int xb, int yb) {
    const int left = std::min(xa, xb);
    const int top = std::min(ya, yb);
    return {left, top, std::max(xa, xb) - left + 1, std::max(ya, yb) - top + 1};
}

DeviceRect DeviceRect::intersected(const DeviceRect& other) const {
    const int left = std::max(x, other.x);
    const int top = std::max(y, other.y);
    const int right = std::min(x + width, other.x + other.width);
    const int bottom = std::min(y + height, other.y + other.height);
    if (right <= left || bottom <= top) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

Region::Region() : region_(checked(cairo_region_create())) {}

Region::Region(const DeviceRect& rect) : region_(nullptr) {
    const cairo_rectangle_int_t r = toCairo(rect);
    region_ = checked(cairo_region_create_rectangle(&r));
}

Region::Region(const Region& other) : region_(checked(cairo_region_copy(other.region_))) {}

Region& Region::operator=(const Region& other) {
    if (this != &other) {
        cairo_region_t* copy = checked(cairo_region_copy(other.region_));
        cairo_region_destroy(region_);
        region_ = copy;
    }
    return *this;
}

Region::Region(Region&& other) noexcept : region_(std::exchange(other.region_, nullptr)) {}

Region& Region::operator=(Region&& other) noexcept {
    std::swap(region_, other.region_);
    return *this;
}

Region::~Region() {
    if (region_ != nullptr) {
        cairo_region_destroy(region_);
    }
}

Region& Region::unite(const DeviceRect& rect) {
    if (!rect.isEmpty()) {
        const cairo_rectangle_int_t r = toCairo(rect);
        cairo_region_union_rectangle(region_, &r);
    }
    return *this;
}

Region& Region::unite(const Region& other) {
    cairo_region_union(region_, other.region_);
    return *this;
}

Region& Region::intersect(const DeviceRect& rect) {
    const cairo_rectangle_int_t r = toCairo(rect);
    cairo_region_intersect_rectangle(region_, &r);
    return *this;
}

Region& Region::intersect(const Region& other) {
    cairo_region_intersect(region_, other.region_);
    return *this;
}

Region& Region::subtract(const DeviceRect& rect) {
    if (!rect.isEmpty()) {
        const cairo_rectangle_int_t r = toCairo(rect);
        cairo_region_subtract_rectangle(region_, &r);
    }
    return *this;
}

Region& Region::subtract(const Region& other) {
    cairo_region_subtract(region_, other.region_);
    return *this;
}

void Region::clear() {
    cairo_region_t* empty = checked(cairo_region_create());
    cairo_region_destroy(region_);
    region_ = empty;
}

bool Region::isEmpty() const {
    return cairo_region_is_empty(region_);
}

bool Region::contains(int x, int y) const {
    return cairo_region_contains_point(region_, x, y);
}

DeviceRect Region::extents() const {
    cairo_rectangle_int_t r;
    cairo_region_get_extents(region_, &r);
    return {r.x, r.y, r.width, r.height};
}

std::vector<DeviceRect> Region::rects() const {
    const int count = cairo_region_num_rectangles(region_);
    std::vector<DeviceRect> result;
    result.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(region_, i, &r);
        result.push_back({r.x, r.y, r.width, r.height});
    }
    return result;
}

long long Region::area() const {
    long long total = 0;
    for (const DeviceRect& r : rects()) {
        total += static_cast<long long>(r.width) * r.height;
    }
    return total;
}

}  // namespace tev
