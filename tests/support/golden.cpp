#include "support/golden.hpp"

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "tev/runtime_error.hpp"

namespace tev::testing {

std::string outputPath(const std::string& fileName) {
    const char* dir = std::getenv("TEV_TEST_OUTPUT_DIR");
    const std::filesystem::path folder = dir != nullptr ? dir : TEV_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    return (folder / fileName).string();
}

std::unique_ptr<Surface> loadPng(const std::string& path) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        throw RuntimeError("loadPng", "cannot read " + path);
    }
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    auto surface = std::make_unique<Surface>(width, height);
    cairo_t* cr = cairo_create(surface->cairoSurface());
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(image);
    cairo_surface_mark_dirty(surface->cairoSurface());
    return surface;
}

::testing::AssertionResult matchesGolden(const Surface& frame, const std::string& name) {
    const std::string goldenPath = std::string(TEV_GOLDEN_DIR) + "/" + name + ".png";
    const char* update = std::getenv("TEV_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        frame.writePng(goldenPath);
        return ::testing::AssertionSuccess() << "golden image " << goldenPath << " updated";
    }
    if (!std::filesystem::exists(goldenPath)) {
        frame.writePng(outputPath(name + ".actual.png"));
        return ::testing::AssertionFailure()
               << "no golden image " << goldenPath << " (set TEV_UPDATE_GOLDEN=1 to create it)";
    }
    const std::unique_ptr<Surface> golden = loadPng(goldenPath);
    if (golden->width() != frame.width() || golden->height() != frame.height()) {
        frame.writePng(outputPath(name + ".actual.png"));
        return ::testing::AssertionFailure()
               << "size " << frame.width() << "x" << frame.height() << " differs from golden "
               << golden->width() << "x" << golden->height();
    }
    Surface diff(frame.width(), frame.height(), {255, 255, 255});
    long differing = 0;
    int firstX = -1;
    int firstY = -1;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            if (frame.pixel(x, y) != golden->pixel(x, y)) {
                if (differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
                diff.fillRect({x, y, 1, 1}, {255, 0, 0}, Region(diff.bounds()));
            }
        }
    }
    if (differing == 0) {
        return ::testing::AssertionSuccess();
    }
    frame.writePng(outputPath(name + ".actual.png"));
    diff.writePng(outputPath(name + ".diff.png"));
    char first[64];
    std::snprintf(first, sizeof first, "%06X", frame.pixel(firstX, firstY));
    char expected[64];
    std::snprintf(expected, sizeof expected, "%06X", golden->pixel(firstX, firstY));
    return ::testing::AssertionFailure()
           << differing << " pixels differ from " << goldenPath << "; the first at (" << firstX
           << ", " << firstY << "): #" << first << " instead of #" << expected << "; see "
           << outputPath(name + ".diff.png");
}

}  // namespace tev::testing
