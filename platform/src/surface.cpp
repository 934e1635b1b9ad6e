#include "tev/surface.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "tev/runtime_error.hpp"

namespace tev {

namespace {

void setSource(cairo_t* cr, Rgb color) {
    cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
}

// RGB24 leaves the top byte of a pixel unused; cairo's fills set it, other writes may not.
bool sameColor(std::uint32_t a, std::uint32_t b) {
    return ((a ^ b) & 0x00FFFFFFu) == 0;
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
    : width_(width), height_(height), surface_(nullptr), cr_(nullptr) {
    adopt(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    // A new image surface starts zeroed, which is black: only another color needs painting.
    if (background != Rgb{0, 0, 0}) {
        setSource(cr_, background);
        cairo_paint(cr_);
    }
}

Surface::Surface(std::uint32_t* pixels, int width, int height, int bytesPerRow)
    : width_(width), height_(height), surface_(nullptr), cr_(nullptr) {
    adopt(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels),
                                              CAIRO_FORMAT_RGB24, width, height, bytesPerRow));
}

void Surface::adopt(cairo_surface_t* surface) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        const std::string reason = cairo_status_to_string(cairo_surface_status(surface));
        cairo_surface_destroy(surface);
        throw RuntimeError("Surface", "cannot make a " + std::to_string(width_) + " x " +
                                          std::to_string(height_) + " surface: " + reason);
    }
    if (cr_ != nullptr) {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    surface_ = surface;
    // RGB24 keeps each pixel in one 32-bit word, so a row is an array of words; the pixels
    // of an image surface stay where they are for its whole life.
    pixels_ = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_));
    wordsPerRow_ = cairo_image_surface_get_stride(surface_) / 4;
    cr_ = cairo_create(surface_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr_, 1.0);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
}

void Surface::moveToMemory(std::uint32_t* pixels, int bytesPerRow) {
    cairo_surface_flush(surface_);
    for (int y = 0; y < height_; ++y) {
        std::memcpy(
            reinterpret_cast<unsigned char*>(pixels) + static_cast<std::ptrdiff_t>(y) * bytesPerRow,
            pixelRow(y), static_cast<std::size_t>(width_) * 4);
    }
    adopt(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels),
                                              CAIRO_FORMAT_RGB24, width_, height_, bytesPerRow));
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

bool Surface::fillRect(const DeviceRect& rect, Rgb color, const Region& clip) {
    // Whole pixels of one color: written straight into the pixel rows, part by part of the
    // clip, which is what cairo's fill of an axis-aligned rectangle does without the cost of
    // setting up a clip path for every call.
    const DeviceRect area = rect.intersected(bounds());
    if (area.isEmpty() || clip.isEmpty()) {
        return false;
    }
    cairo_surface_flush(surface_);
    const std::uint32_t value = 0xFF000000u | color.packed();
    bool changed = false;
    for (const DeviceRect& part : clip.rects()) {
        const DeviceRect piece = part.intersected(area);
        for (int row = piece.y; row < piece.y + piece.height; ++row) {
            std::uint32_t* start = pixelRow(row) + piece.x;
            // Rows are looked at before they are written only until one differs: a fill
            // that repeats what is there stops at its first pixel row by row, one that
            // changes something costs one look at its first row.
            if (!changed) {
                std::uint32_t difference = 0;
                for (int col = 0; col < piece.width; ++col) {
                    difference |= start[col] ^ value;
                }
                if (sameColor(difference, 0)) {
                    continue;
                }
                changed = true;
            }
            std::fill_n(start, piece.width, value);
        }
    }
    if (changed) {
        cairo_surface_mark_dirty_rectangle(surface_, area.x, area.y, area.width, area.height);
    }
    return changed;
}

void Surface::drawLine(int xa, int ya, int xb, int yb, Rgb color, const Region& clip) {
    if (clip.isEmpty()) {
        return;
    }
    // A horizontal or vertical line covers exactly the pixels from one end to the other.
    if (xa == xb || ya == yb) {
        fillRect(DeviceRect::spanning(xa, ya, xb, yb), color, clip);
        return;
    }
    // A slanting line stays within the pixels its ends span, and one more on every side for
    // its square caps; a clip that misses those leaves nothing to draw.
    const DeviceRect reach = DeviceRect::spanning(std::min(xa, xb) - 1, std::min(ya, yb) - 1,
                                                  std::max(xa, xb) + 1, std::max(ya, yb) + 1);
    if (reach.intersected(clip.extents()).isEmpty()) {
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
    for (const DeviceRect& part : clip.rects()) {
        const DeviceRect piece = part.intersected(target);
        for (int row = piece.y; row < piece.y + piece.height; ++row) {
            std::uint32_t* pixels = pixelRow(row);
            for (int col = piece.x; col < piece.x + piece.width; ++col) {
                pixels[col] = bitmap.at(col - x, row - y);
            }
        }
    }
    cairo_surface_mark_dirty_rectangle(surface_, target.x, target.y, target.width, target.height);
}

bool Surface::drawGlyph(const std::uint8_t* rows, int rowCount, int x, int y, Rgb foreground,
                        Rgb background) {
    const DeviceRect target = DeviceRect{x, y, 8, rowCount}.intersected(bounds());
    if (target.isEmpty()) {
        return false;
    }
    cairo_surface_flush(surface_);
    const std::uint32_t ink = 0xFF000000u | foreground.packed();
    const std::uint32_t paper = 0xFF000000u | background.packed();
    bool changed = false;
    for (int row = target.y; row < target.y + target.height; ++row) {
        const std::uint8_t bits = rows[row - y];
        // Each bit picks ink or paper through a mask rather than a branch: glyph bits follow
        // no pattern a branch predictor could learn.
        std::array<std::uint32_t, 8> line;
        for (int bit = 0; bit < 8; ++bit) {
            const std::uint32_t inkMask = 0u - ((bits >> (7 - bit)) & 1u);
            line[static_cast<std::size_t>(bit)] = (ink & inkMask) | (paper & ~inkMask);
        }
        std::uint32_t* pixels = pixelRow(row);
        std::uint32_t difference = 0;
        for (int col = target.x; col < target.x + target.width; ++col) {
            difference |= pixels[col] ^ line[static_cast<std::size_t>(col - x)];
        }
        if (!sameColor(difference, 0)) {
            std::copy_n(line.begin() + (target.x - x), target.width, pixels + target.x);
            changed = true;
        }
    }
    if (changed) {
        cairo_surface_mark_dirty_rectangle(surface_, target.x, target.y, target.width,
                                           target.height);
    }
    return changed;
}

void Surface::copyFrom(const Surface& source, const Region& region) {
    const DeviceRect area = bounds().intersected(source.bounds());
    if (region.isEmpty() || area.isEmpty()) {
        return;
    }
    cairo_surface_flush(source.surface_);
    cairo_surface_flush(surface_);
    for (const DeviceRect& part : region.rects()) {
        const DeviceRect piece = part.intersected(area);
        for (int row = piece.y; row < piece.y + piece.height; ++row) {
            std::copy_n(source.pixelRow(row) + piece.x, piece.width, pixelRow(row) + piece.x);
        }
    }
    const DeviceRect touched = region.extents().intersected(area);
    cairo_surface_mark_dirty_rectangle(surface_, touched.x, touched.y, touched.width,
                                       touched.height);
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
