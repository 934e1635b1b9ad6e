#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "tev/bitmap.hpp"
#include "tev/color.hpp"
#include "tev/region.hpp"

namespace tev {

// An opaque pixel surface in device coordinates (top-left origin), drawn through cairo with
// antialiasing off, so every primitive covers whole pixels exactly. Every drawing call takes
// the clip region it must stay inside.
class Surface {
  public:
    Surface(int width, int height, Rgb background = {0, 0, 0});
    // A surface on pixels that someone else owns (a window's framebuffer): 32 bits a pixel,
    // red in bits 16 to 23, rows `bytesPerRow` apart. The memory must outlive the surface, or
    // the surface must move off it first (moveToMemory). Raises a RuntimeError when cairo
    // cannot use that layout.
    Surface(std::uint32_t* pixels, int width, int height, int bytesPerRow);
    ~Surface();

    // Moves the surface onto other memory of the same kind; the pixels are copied over.
    void moveToMemory(std::uint32_t* pixels, int bytesPerRow);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    DeviceRect bounds() const { return {0, 0, width_, height_}; }

    std::uint32_t pixel(int x, int y) const;
    Rgb rgbAt(int x, int y) const;

    // The drawing calls that only write whole pixels answer whether any pixel changed, so a
    // caller can leave alone what a drawing repeats.
    bool fillRect(const DeviceRect& rect, Rgb color, const Region& clip);
    // A line one pixel wide from the centre of one pixel to the centre of another, both
    // end pixels included.
    void drawLine(int xa, int ya, int xb, int yb, Rgb color, const Region& clip);
    void drawBitmap(const Bitmap& bitmap, int x, int y, const Region& clip);
    // An 8-pixel-wide glyph: rows of bits, most significant bit leftmost.
    bool drawGlyph(const std::uint8_t* rows, int rowCount, int x, int y, Rgb foreground,
                   Rgb background);
    void copyFrom(const Surface& source, const Region& region);

    // Writes the surface as a PNG, each pixel enlarged to scale x scale pixels.
    void writePng(const std::string& path, int scale = 1) const;

    cairo_surface_t* cairoSurface() const { return surface_; }

  private:
    // Wraps a new cairo image surface, which takes over from the current one.
    void adopt(cairo_surface_t* surface);
    void clipTo(const Region& clip);
    // The pixels of row y; cairo's own drawing must have been flushed before they are read.
    std::uint32_t* pixelRow(int y) const { return pixels_ + y * wordsPerRow_; }

    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
    std::uint32_t* pixels_ = nullptr;
    std::ptrdiff_t wordsPerRow_ = 0;
};

}  // namespace tev
