#include "tev/bitmap.hpp"

#include "tev/runtime_error.hpp"

namespace tev {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMinInfoHeaderSize = 40;
// Bitmap resources are small pictures; anything larger is taken as a corrupt header.
constexpr std::int64_t kMaxDimension = 4096;

class Reader {
  public:
    Reader(std::span<const std::uint8_t> bytes, const std::string& name)
        : bytes_(bytes), name_(name) {}

    std::uint32_t u32(std::size_t offset) const {
        need(offset, 4, "header");
        return static_cast<std::uint32_t>(bytes_[offset]) | (bytes_[offset + 1] << 8) |
               (bytes_[offset + 2] << 16) | (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    std::uint16_t u16(std::size_t offset) const {
        need(offset, 2, "header");
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::uint8_t u8(std::size_t offset) const { return bytes_[offset]; }

    void need(std::size_t offset, std::size_t count, const char* what) const {
        if (offset > bytes_.size() || count > bytes_.size() - offset) {
            fail(std::string("truncated ") + what + " (needs " + std::to_string(offset + count) +
                 " bytes, file has " + std::to_string(bytes_.size()) + ")");
        }
    }

    [[noreturn]] void fail(const std::string& what) const { throw RuntimeError(name_, what); }

  private:
    std::span<const std::uint8_t> bytes_;
    const std::string& name_;
};

}  // namespace

Bitmap decodeBmp(std::span<const std::uint8_t> bytes, const std::string& name) {
    const Reader in(bytes, name);
    // A bitmap file starts with a 14-byte file header ("BM"); a bitmap resource is the bitmap
    // without it, starting straight with the information header.
    const bool hasFileHeader = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
    const std::size_t infoOffset = hasFileHeader ? kFileHeaderSize : 0;
    if (hasFileHeader) {
        in.need(0, kFileHeaderSize, "file header");
    }
    const std::uint32_t infoSize = in.u32(infoOffset);
    if (infoSize < kMinInfoHeaderSize || infoSize > 1024) {
        in.fail(hasFileHeader
                    ? "unsupported information header of " + std::to_string(infoSize) + " bytes"
                    : "not a bitmap (no \"BM\" file header nor a bitmap information header)");
    }
    in.need(infoOffset, infoSize, "information header");
    const std::int64_t width = in.i32(infoOffset + 4);
    const std::int64_t rawHeight = in.i32(infoOffset + 8);
    const std::uint16_t planes = in.u16(infoOffset + 12);
    const std::uint16_t bitsPerPixel = in.u16(infoOffset + 14);
    const std::uint32_t compression = in.u32(infoOffset + 16);
    const std::uint32_t colorsUsed = in.u32(infoOffset + 32);

    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension) {
        in.fail("unsupported size " + std::to_string(width) + " x " + std::to_string(rawHeight));
    }
    if (planes != 1) {
        in.fail("unsupported plane count " + std::to_string(planes));
    }
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 &&
        bitsPerPixel != 32) {
        in.fail("unsupported " + std::to_string(bitsPerPixel) + " bits per pixel");
    }
    if (compression != 0) {
        in.fail("unsupported compression " + std::to_string(compression) + " (only uncompressed)");
    }

    // The palette follows the information header: 4 bytes (blue, green, red, unused) an entry.
    std::vector<std::uint32_t> palette;
    if (bitsPerPixel <= 8) {
        const std::uint32_t maxColors = 1u << bitsPerPixel;
        const std::uint32_t count = colorsUsed == 0 ? maxColors : colorsUsed;
        if (count > maxColors) {
            in.fail("palette of " + std::to_string(count) + " colors for " +
                    std::to_string(bitsPerPixel) + " bits per pixel");
        }
        const std::size_t paletteOffset = infoOffset + infoSize;
        in.need(paletteOffset, std::size_t{count} * 4, "palette");
        palette.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = paletteOffset + std::size_t{i} * 4;
            palette.push_back((in.u8(at + 2) << 16) | (in.u8(at + 1) << 8) | in.u8(at));
        }
    }

    // Without a file header the pixels follow the palette directly.
    const std::size_t pixelOffset =
        hasFileHeader ? in.u32(10) : infoOffset + infoSize + palette.size() * 4;
    // Rows are padded to a multiple of four bytes.
    const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
    in.need(pixelOffset, rowBytes * static_cast<std::size_t>(height), "pixel data");

    Bitmap bitmap;
    bitmap.width = static_cast<int>(width);
    bitmap.height = static_cast<int>(height);
    bitmap.pixels.resize(static_cast<std::size_t>(width * height));
    for (int row = 0; row < bitmap.height; ++row) {
        const int storedRow = topDown ? row : bitmap.height - 1 - row;
        const std::size_t rowStart = pixelOffset + static_cast<std::size_t>(storedRow) * rowBytes;
        for (int x = 0; x < bitmap.width; ++x) {
            std::uint32_t pixel = 0;
            if (bitsPerPixel <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * bitsPerPixel;
                const std::uint8_t byte = in.u8(rowStart + bit / 8);
                const unsigned shift = 8 - bitsPerPixel - (bit % 8);
                const std::uint32_t index = (byte >> shift) & ((1u << bitsPerPixel) - 1);
                if (index >= palette.size()) {
                    in.fail("pixel (" + std::to_string(x) + ", " + std::to_string(row) +
                            ") uses color " + std::to_string(index) + " beyond the palette of " +
                            std::to_string(palette.size()));
                }
                pixel = palette[index];
            } else {
                const std::size_t at = rowStart + static_cast<std::size_t>(x) * (bitsPerPixel / 8);
                pixel = (in.u8(at + 2) << 16) | (in.u8(at + 1) << 8) | in.u8(at);
            }
            bitmap.pixels[static_cast<std::size_t>(row) * bitmap.width + x] = pixel;
        }
    }
    return bitmap;
}

}  // namespace tev
