#include "tev/bitmap.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tev/resources.hpp"
#include "tev/runtime_error.hpp"

namespace tev {
namespace {

// The standard 16-color palette of the knob bitmaps.
constexpr std::uint32_t kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// The knobs as a person draws them, top row first: a black-outlined disc with a light grey
// face and corners; the raised knob is lit from the upper left, the pressed one from the lower
// right.
const char* const kRaised[16] = {
    "8888800000088888", "88880ffffff08888", "8800ffff88880088", "880fff8888888088",
    "80fff88888888808", "0fff888888888870", "0fff888888888870", "0ff8888888888770",
    "0ff8888888888770", "0f88888888888770", "0f88888888887770", "8088888888877708",
    "8808888888777088", "8800888777770088", "8888077777708888", "8888800000088888"};
const char* const kPressed[16] = {
    "8888800000088888", "8888077777708888", "8800777788880088", "8807778888888088",
    "8077788888888808", "07778888888888f0", "07778888888888f0", "0778888888888ff0",
    "0778888888888ff0", "0788888888888ff0", "078888888888fff0", "80888888888fff08",
    "8808888888fff088", "8800888fffff0088", "88880ffffff08888", "8888800000088888"};

void expectBitmap(const Bitmap& bitmap, const char* const rows[16]) {
    ASSERT_EQ(bitmap.width, 16);
    ASSERT_EQ(bitmap.height, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int index = std::stoi(std::string(1, rows[y][x]), nullptr, 16);
            ASSERT_EQ(bitmap.at(x, y), kPalette[index]) << "pixel (" << x << ", " << y << ")";
        }
    }
}

TEST(BitmapResourceTest, KnobsDecodeToTheirPictures) {
    expectBitmap(loadBitmapResource(RaisedKnobBitmap), kRaised);
    expectBitmap(loadBitmapResource(PressedKnobBitmap), kPressed);
}

// A little-endian writer for hand-made bitmaps.
struct Bytes {
    std::vector<std::uint8_t> data;
    Bytes& u16(unsigned v) {
        data.push_back(v & 0xFF);
        data.push_back((v >> 8) & 0xFF);
        return *this;
    }
    Bytes& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data.push_back((v >> (8 * i)) & 0xFF);
        return *this;
    }
    Bytes& raw(std::initializer_list<std::uint8_t> bytes) {
        for (const std::uint8_t byte : bytes)
            data.push_back(byte);
        return *this;
    }
};

// A 2x2 24-bit BMP file with a file header: red, green on the top row; blue, white below.
Bytes twoByTwoFile(std::int32_t height = 2) {
    Bytes b;
    b.raw({'B', 'M'}).u32(14 + 40 + 16).u32(0).u32(14 + 40);
    b.u32(40)
        .u32(2)
        .u32(static_cast<std::uint32_t>(height))
        .u16(1)
        .u16(24)
        .u32(0)
        .u32(16)
        .u32(0)
        .u32(0)
        .u32(0)
        .u32(0);
    // Bottom-up when the height is positive: the first stored row is the bottom one.
    const bool bottomUp = height > 0;
    auto row = [&](std::initializer_list<std::uint8_t> pixels) { b.raw(pixels).raw({0, 0}); };
    if (bottomUp) {
        row({255, 0, 0, 255, 255, 255});
        row({0, 0, 255, 0, 255, 0});
    } else {
        row({0, 0, 255, 0, 255, 0});
        row({255, 0, 0, 255, 255, 255});
    }
    return b;
}

TEST(BitmapDecoderTest, ReadsFilesBottomUpAndTopDown) {
    for (const std::int32_t height : {2, -2}) {
        SCOPED_TRACE(height);
        const Bitmap bitmap = decodeBmp(twoByTwoFile(height).data, "test");
        EXPECT_EQ(bitmap.at(0, 0), 0xFF0000u);
        EXPECT_EQ(bitmap.at(1, 0), 0x00FF00u);
        EXPECT_EQ(bitmap.at(0, 1), 0x0000FFu);
        EXPECT_EQ(bitmap.at(1, 1), 0xFFFFFFu);
    }
}

// Every malformed bitmap is an error naming the resource and what is wrong, never a read
// outside the bytes given.
TEST(BitmapDecoderTest, MalformedBitmapsAreClearErrors) {
    auto withByte = [](std::size_t at, std::uint8_t value) {
        Bytes b = twoByTwoFile();
        b.data[at] = value;
        return b.data;
    };
    auto truncated = [](std::size_t size) {
        Bytes b = twoByTwoFile();
        b.data.resize(size);
        return b.data;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* expected;
    };
    const Case cases[] = {
        {"empty", {}, "truncated"},
        {"not a bitmap", {'G', 'I', 'F', '8', '9', 'a', 0, 0}, "not a bitmap"},
        {"file header only", truncated(14), "truncated"},
        {"pixels cut short", truncated(60), "truncated pixel data"},
        {"zero width", withByte(18, 0), "unsupported size"},
        {"two planes", withByte(26, 2), "plane count 2"},
        {"7 bits per pixel", withByte(28, 7), "7 bits per pixel"},
        {"run-length compressed", withByte(30, 1), "compression 1"},
        {"huge height", withByte(25, 0x7F), "unsupported size"},
        {"pixel offset past the end", withByte(11, 0xFF), "truncated pixel data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            decodeBmp(c.bytes, "bitmap resource 77");
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("bitmap resource 77: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.expected), std::string::npos) << message;
        }
    }
}

TEST(BitmapDecoderTest, PaletteIndexBeyondThePaletteIsAnError) {
    // A 1x1 resource (no file header) of 4 bits per pixel with a palette of 2 colors whose one
    // pixel uses color 5.
    Bytes b;
    b.u32(40).u32(1).u32(1).u16(1).u16(4).u32(0).u32(4).u32(0).u32(0).u32(2).u32(0);
    b.u32(0x000000).u32(0xFFFFFF);
    b.raw({0x50, 0, 0, 0});
    EXPECT_THROW(
        {
            try {
                decodeBmp(b.data, "x");
            } catch (const RuntimeError& e) {
                EXPECT_NE(std::string(e.what()).find("color 5 beyond the palette of 2"),
                          std::string::npos)
                    << e.what();
                throw;
            }
        },
        RuntimeError);
}

TEST(BitmapResourceTest, UnknownAndMalformedResourcesNameTheResource) {
    EXPECT_THROW(
        {
            try {
                loadBitmapResource(4242);
            } catch (const RuntimeError& e) {
                EXPECT_STREQ(e.what(), "bitmap resource 4242: no such resource");
                throw;
            }
        },
        RuntimeError);
    registerBitmapResource(4243, {'B', 'M', 1, 2, 3});
    EXPECT_THROW(loadBitmapResource(4243), RuntimeError);
    registerBitmapResource(4243, twoByTwoFile().data);
    EXPECT_EQ(loadBitmapResource(4243).width, 2);
}

}  // namespace
}  // namespace tev
