#pragma once

#include <cairo.h>

#include <vector>

namespace tev {

// A rectangle of whole device pixels: (x, y) is the top-left pixel, rows grow downwards.
struct DeviceRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;

    // The rectangle spanning two pixels given in either order, both included.
    static DeviceRect spanning(int xa, int ya, int xb, int yb);
    DeviceRect intersected(const DeviceRect& other) const;
};

// A set of device pixels made of rectangles, for damage and clipping.
class Region {
  public:
    Region();
    explicit Region(const DeviceRect& rect);
    Region(const Region& other);
    Region& operator=(const Region& other);
    Region(Region&& other) noexcept;
    Region& operator=(Region&& other) noexcept;
    ~Region();

    Region& unite(const DeviceRect& rect);
    Region& unite(const Region& other);
    Region& intersect(const DeviceRect& rect);
    Region& intersect(const Region& other);
    Region& subtract(const DeviceRect& rect);
    Region& subtract(const Region& other);
    void clear();

    bool isEmpty() const;
    bool contains(int x, int y) const;
    DeviceRect extents() const;
    std::vector<DeviceRect> rects() const;
    long long area() const;

    const cairo_region_t* get() const { return region_; }

  private:
    cairo_region_t* region_;
};

}  // namespace tev
