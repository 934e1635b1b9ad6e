#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tev {

// A decoded picture: opaque pixels 0x00RRGGBB, rows top first.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Decodes an uncompressed device-independent bitmap of 1, 4, 8, 24 or 32 bits per pixel, rows
// bottom-up or top-down: a BMP file, or a bitmap resource (the same without the 14-byte file
// header). Every header field and size is checked against the bytes given; a malformed
// bitmap raises a RuntimeError whose message starts with `name`.
Bitmap decodeBmp(std::span<const std::uint8_t> bytes, const std::string& name);

}  // namespace tev
