// A malformed bitmap resource is a catchable RuntimeError naming the resource, raised where
// the program asks for the picture (Create, setCaption), never later from the paint pass, and
// a control that refused a picture keeps the one it had.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_app.hpp"
#include "tev/resources.hpp"
#include "tev/runtime_error.hpp"
#include "tev/tev_static.hpp"

namespace tev {
namespace {

using testing::TestApp;

constexpr int kMalformedId = 9001;

// Malformed pictures, each with the start of the message it gives.
struct MalformedBitmap {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* message;
};

std::vector<MalformedBitmap> malformedBitmaps() {
    // A 40-byte information header of a 1 x 1 picture at `bitsPerPixel`, no file header.
    auto infoHeader = [](std::uint8_t bitsPerPixel) {
        std::vector<std::uint8_t> bytes(40, 0);
        bytes[0] = 40;
        bytes[4] = 1;
        bytes[8] = 1;
        bytes[12] = 1;
        bytes[14] = bitsPerPixel;
        return bytes;
    };
    std::vector<std::uint8_t> noPixels = infoHeader(24);
    std::vector<std::uint8_t> outsidePalette = infoHeader(4);
    outsidePalette[32] = 1;  // one palette entry, then a pixel that uses color 15
    outsidePalette.insert(outsidePalette.end(), {0, 0, 0, 0, 0xF0, 0, 0, 0});
    return {
        {"empty", {}, "bitmap resource 9001: truncated header"},
        {"a file header only",
         {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         "bitmap resource 9001: truncated header"},
        {"no pixel data", noPixels, "bitmap resource 9001: truncated pixel data"},
        {"a color outside the palette", outsidePalette,
         "bitmap resource 9001: pixel (0, 0) uses color 15 beyond the palette of 1"},
    };
}

std::unique_ptr<TevStatic> bitmapControl(CaptionValue caption, bool autoSize) {
    auto control = TevStatic::New(nullptr, nullptr, PositionPair{20, 20}, SizePair{16, 16});
    control->Type = static_type::Bitmap;
    control->Caption = std::move(caption);
    control->AutoSize = autoSize;
    return control;
}

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& e) {
        return e.what();
    }
    return "(no RuntimeError)";
}

TEST(ResourceMisuseTest, CreatingABitmapControlOnAMalformedResourceIsAClearError) {
    for (const MalformedBitmap& bitmap : malformedBitmaps()) {
        for (const bool autoSize : {true, false}) {
            SCOPED_TRACE(std::string(bitmap.name) + (autoSize ? ", AutoSize" : ", fixed size"));
            TestApp t;
            registerBitmapResource(kMalformedId, bitmap.bytes);
            const auto control = bitmapControl(kMalformedId, autoSize);
            const std::string message = messageOf([&] { control->Create(); });
            EXPECT_TRUE(message.starts_with(bitmap.message)) << message;
            EXPECT_FALSE(control->isCreated());
            EXPECT_NO_THROW(t.paint());
        }
    }
}

TEST(ResourceMisuseTest, ARefusedCaptionLeavesTheControlShowingItsPicture) {
    for (const MalformedBitmap& bitmap : malformedBitmaps()) {
        for (const bool autoSize : {true, false}) {
            SCOPED_TRACE(std::string(bitmap.name) + (autoSize ? ", AutoSize" : ", fixed size"));
            TestApp t;
            registerBitmapResource(kMalformedId, bitmap.bytes);
            const auto control = bitmapControl(RaisedKnobBitmap, autoSize);
            control->Create();
            const std::string message = messageOf([&] { control->setCaption(kMalformedId); });
            EXPECT_TRUE(message.starts_with(bitmap.message)) << message;
            EXPECT_EQ(control->Caption, CaptionValue(RaisedKnobBitmap));
            // The next paint pass runs, and the knob is still on the screen.
            const Surface* frame = nullptr;
            ASSERT_NO_THROW(frame = &t.paint());
            const Bitmap& knob = loadBitmapResource(RaisedKnobBitmap);
            const DeviceRect area = control->deviceRect();
            for (int y = 0; y < knob.height; ++y) {
                for (int x = 0; x < knob.width; ++x) {
                    ASSERT_EQ(frame->pixel(area.x + x, area.y + y), knob.at(x, y))
                        << "pixel (" << x << ", " << y << ") of the knob";
                }
            }
        }
    }
}

TEST(ResourceMisuseTest, AnUnknownResourceIsAClearError) {
    TestApp t;
    const auto control = bitmapControl(4242, false);
    EXPECT_EQ(messageOf([&] { control->Create(); }), "bitmap resource 4242: no such resource");
    EXPECT_FALSE(control->isCreated());
}

}  // namespace
}  // namespace tev
