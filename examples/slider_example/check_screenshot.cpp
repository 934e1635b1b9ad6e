// Compares a screenshot with the expected picture, pixel by pixel:
//
//     check_screenshot ACTUAL.png EXPECTED.png [DIFF.png]
//
// Exit status 0 when every pixel matches. On a mismatch it names the first differing pixel
// and the number of differing pixels, and writes DIFF.png: the expected picture faded, with
// every differing pixel in red. With TEV_UPDATE_GOLDEN=1 it copies ACTUAL over EXPECTED
// instead, after an intended change of the look: look at the new picture before committing.

#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

SurfacePtr loadPng(const char* path) {
    SurfacePtr surface(cairo_image_surface_create_from_png(path), cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        std::cerr << "check_screenshot: cannot read " << path << ": "
                  << cairo_status_to_string(cairo_surface_status(surface.get())) << "\n";
        std::exit(2);
    }
    cairo_surface_flush(surface.get());
    return surface;
}

// The opaque color of a pixel, 0xRRGGBB, whatever the format the PNG was loaded in.
std::uint32_t colorAt(cairo_surface_t* surface, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
}

std::string describe(std::uint32_t color) {
    std::ostringstream text;
    text << "(" << (color >> 16) << ", " << ((color >> 8) & 0xFF) << ", " << (color & 0xFF) << ")";
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: check_screenshot ACTUAL.png EXPECTED.png [DIFF.png]\n";
        return 2;
    }
    const char* actualPath = argv[1];
    const char* expectedPath = argv[2];

    const SurfacePtr actual = loadPng(actualPath);
    if (const char* update = std::getenv("TEV_UPDATE_GOLDEN");
        update != nullptr && std::string_view(update) == "1") {
        if (cairo_surface_write_to_png(actual.get(), expectedPath) != CAIRO_STATUS_SUCCESS) {
            std::cerr << "check_screenshot: cannot write " << expectedPath << "\n";
            return 2;
        }
        std::cout << "updated " << expectedPath << "\n";
        return 0;
    }
    const SurfacePtr expected = loadPng(expectedPath);

    const int width = cairo_image_surface_get_width(expected.get());
    const int height = cairo_image_surface_get_height(expected.get());
    if (cairo_image_surface_get_width(actual.get()) != width ||
        cairo_image_surface_get_height(actual.get()) != height) {
        std::cerr << "check_screenshot: " << actualPath << " is "
                  << cairo_image_surface_get_width(actual.get()) << " x "
                  << cairo_image_surface_get_height(actual.get()) << " pixels, " << expectedPath
                  << " is " << width << " x " << height << "\n";
        return 1;
    }

    SurfacePtr diff(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height),
                    cairo_surface_destroy);
    cairo_surface_flush(diff.get());
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        auto* diffRow =
            reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(diff.get()) +
                                             y * cairo_image_surface_get_stride(diff.get()));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t want = colorAt(expected.get(), x, y);
            const std::uint32_t got = colorAt(actual.get(), x, y);
            if (want == got) {
                // Faded to a quarter of its contrast, so the red marks stand out.
                const auto fade = [](std::uint32_t c) { return 192 + (c & 0xFF) / 4; };
                diffRow[x] = fade(want >> 16) << 16 | fade(want >> 8) << 8 | fade(want);
                continue;
            }
            diffRow[x] = 0xFF0000u;
            if (differing++ == 0) {
                std::cerr << "check_screenshot: first differing pixel at (" << x << ", " << y
                          << "): actual " << describe(got) << ", expected " << describe(want)
                          << "\n";
            }
        }
    }
    cairo_surface_mark_dirty(diff.get());
    if (differing == 0) {
        std::cout << actualPath << " matches " << expectedPath << "\n";
        return 0;
    }
    std::cerr << "check_screenshot: " << differing << " pixels differ";
    if (argc == 4) {
        cairo_surface_write_to_png(diff.get(), argv[3]);
        std::cerr << "; differing pixels in red: " << argv[3];
    }
    std::cerr << "\n";
    return 1;
}
