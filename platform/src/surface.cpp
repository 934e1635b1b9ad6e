#include "tev/surface.hpp"

#include <cstring>
#include <new>

#include "tev/runtime_error.hpp"

namespace tev {

namespace {

void setSource(cairo_t* cr, Rgb color) {
    cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
}

// Restores the cairo state on every way out of a drawing call.
class SavedState {
  public:
    explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~SavedState() { cairo_restore(cr_); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

  private:
    cairo_t* cr_;
};

}  // namespace

Surface::Surface(int width, int height, Rgb background)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(nullptr) {
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface_);
        throw std::bad_alloc();
    }
    cr_ = cairo_create(surface_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr_, 1.0);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    setSource(cr_, background);
    cairo_paint(cr_);
}

Surface::~Surface() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

std::uint32_t Surface::pixel(int x, int y) const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::uint32_t value;
    std::memcpy(&value, data + static_cast<std::ptrdiff_t>(y) * stride + x * 4, sizeof value);
    return value & 0x00FFFFFFu;
}

Rgb Surface::rgbAt(int x, int y) const {
    const std::uint32_t value = pixel(x, y);
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
}

void Surface::clipTo(const Region& clip) {
    for (const DeviceRect& r : clip.rects()) {
        cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
    }
    cairo_clip(cr_);
}

void Surface::fillRect(const DeviceRect& rect, Rgb color, const Region& clip) {
    if (rect.isEmpty() || clip.isEmpty()) {
        return;
    }
    SavedState saved(cr_);
    clipTo(clip);
    setSource(cr_, color);
    cairo_rectangle(cr_, rect.x, rect.y, rect.width, rect.height);
    cairo_fill(cr_);
}

void Surface::drawLine(int xa, int ya, int xb, int yb, Rgb color, const Region& clip) {
    if (clip.isEmpty()) {
        return;
    }
    SavedState saved(cr_);
    clipTo(clip);
    setSource(cr_, color);
    // Through pixel centres with square caps: the stroke covers both end pixels whole.
    cairo_move_to(cr_, xa + 0.5, ya + 0.5);
    cairo_line_to(cr_, xb + 0.5, yb + 0.5);
    cairo_stroke(cr_);
}

void Surface::drawBitmap(const Bitmap& bitmap, int x, int y, const Region& clip) {
    const DeviceRect target = DeviceRect{x, y, bitmap.width, bitmap.height}.intersected(bounds());
    if (target.isEmpty() || clip.isEmpty()) {
        return;
    }
    cairo_surface_flush(surface_);
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int row = target.y; row < target.y + target.height; ++row) {
        for (int col = target.x; col < target.x + target.width; ++col) {
            if (clip.contains(col, row)) {
                const std::uint32_t value = bitmap.at(col - x, row - y);
                std::memcpy(data + static_cast<std::ptrdiff_t>(row) * stride + col * 4, &value,
                            sizeof value);
            }
        }
    }
    cairo_surface_mark_dirty_rectangle(surface_, target.x, target.y, target.width, target.height);
}

void Surface::drawGlyph(const std::uint8_t* rows, int rowCount, int x, int y, Rgb foreground,
                        Rgb background) {
    const DeviceRect target = DeviceRect{x, y, 8, rowCount}.intersected(bounds());
    if (target.isEmpty()) {
        return;
    }
    cairo_surface_flush(surface_);
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const std::uint32_t ink = foreground.packed();
    const std::uint32_t paper = background.packed();
    for (int row = target.y; row < target.y + target.height; ++row) {
        const std::uint8_t bits = rows[row - y];
        for (int col = target.x; col < target.x + target.width; ++col) {
            const std::uint32_t value = (bits & (0x80u >> (col - x))) ? ink : paper;
            std::memcpy(data + static_cast<std::ptrdiff_t>(row) * stride + col * 4, &value,
                        sizeof value);
        }
    }
    cairo_surface_mark_dirty_rectangle(surface_, target.x, target.y, target.width, target.height);
}

void Surface::copyFrom(const Surface& source, const Region& region) {
    if (region.isEmpty()) {
        return;
    }
    cairo_surface_flush(source.surface_);
    SavedState saved(cr_);
    clipTo(region);
    cairo_set_source_surface(cr_, source.surface_, 0, 0);
    cairo_paint(cr_);
}

void Surface::writePng(const std::string& path, int scale) const {
    cairo_surface_flush(surface_);
    cairo_status_t status;
    if (scale == 1) {
        status = cairo_surface_write_to_png(surface_, path.c_str());
    } else {
        cairo_surface_t* scaled =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_ * scale, height_ * scale);
        cairo_t* cr = cairo_create(scaled);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, surface_, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_destroy(cr);
        status = cairo_surface_write_to_png(scaled, path.c_str());
        cairo_surface_destroy(scaled);
    }
    if (status != CAIRO_STATUS_SUCCESS) {
        throw RuntimeError("screenshot",
                           "cannot write \"" + path + "\": " + cairo_status_to_string(status));
    }
}

}  // namespace tev
