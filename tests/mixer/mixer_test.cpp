#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "offscreen_backend.hpp"
#include "run_application.hpp"
#include "slider/slider_look.hpp"
#include "slidrgb.hpp"
#include "support/golden.hpp"
#include "tev/application.hpp"
#include "tev/tev_crt.hpp"

namespace tev {
namespace {

using testing::horizontalLook;

// Device rows of the three sliders' bottom pixel rows, and the swatch's device rectangle
// (window corners {300, 100} and {550, 240}, both included).
constexpr int kRedBottom = 199;
constexpr int kGreenBottom = 249;
constexpr int kBlueBottom = 299;
constexpr DeviceRect kSwatch{300, 159, 251, 141};
// The text line at row 22, column 10.
constexpr DeviceRect kTextLine{80, 352, 560, 16};

// The mix as the color table holds it: components rounded to nearest.
Rgb mix(double red, double green, double blue) {
    auto c = [](double v) { return static_cast<std::uint8_t>(std::lround(v)); };
    return {c(red), c(green), c(blue)};
}

// Runs the color mixer's Main on the offscreen backend; the test adds input and frame checks
// to the script before, and looks at the application after.
class MixerTest : public ::testing::Test {
  protected:
    MixerTest() {
        auto b = std::make_unique<OffscreenBackend>();
        script = b.get();
        app = std::make_unique<Application>("slidrgb", std::move(b));
    }
    void input(PointerInput::Kind kind, int x, int y) { script->addPause().addInput({kind, x, y}); }
    void check(std::function<void(const Surface&)> action) {
        script->addFrameAction(std::move(action));
    }

    // The mix as the swatch shows it, and the text line's pixels, at one point of the script.
    struct State {
        Rgb swatch;
        bool swatchUniform = true;
        std::vector<std::uint32_t> text;
        std::vector<int> thumbs;  // device x of each thumb's left column
    };
    void record(State& state) {
        check([&state](const Surface& frame) {
            state.swatch = frame.rgbAt(kSwatch.x, kSwatch.y);
            for (int y = kSwatch.y; y < kSwatch.y + kSwatch.height; ++y) {
                for (int x = kSwatch.x; x < kSwatch.x + kSwatch.width; ++x) {
                    state.swatchUniform &= frame.rgbAt(x, y) == state.swatch;
                }
            }
            // Beyond the swatch's corners the window is white.
            state.swatchUniform &= frame.rgbAt(kSwatch.x - 1, kSwatch.y) == Rgb{255, 255, 255};
            state.swatchUniform &=
                frame.rgbAt(kSwatch.x + kSwatch.width, kSwatch.y) == Rgb{255, 255, 255};
            state.swatchUniform &= frame.rgbAt(kSwatch.x, kSwatch.y - 1) == Rgb{255, 255, 255};
            state.swatchUniform &=
                frame.rgbAt(kSwatch.x, kSwatch.y + kSwatch.height) == Rgb{255, 255, 255};
            state.text = pixels(frame, kTextLine);
            for (int bottom : {kRedBottom, kGreenBottom, kBlueBottom}) {
                // The knob's black outline starts 5 pixels into its top row.
                int left = -1;
                for (int x = 100; x < 200 && left < 0; ++x) {
                    if (frame.pixel(x, bottom - 27) == 0x000000)
                        left = x - 5;
                }
                state.thumbs.push_back(left);
            }
        });
    }
    static std::vector<std::uint32_t> pixels(const Surface& frame, const DeviceRect& rect) {
        std::vector<std::uint32_t> result;
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            for (int x = rect.x; x < rect.x + rect.width; ++x)
                result.push_back(frame.pixel(x, y));
        }
        return result;
    }
    // The text line as the platform renders "R/G/B" and the three components, on the same
    // window once Main has ended.
    std::vector<std::uint32_t> renderedLine(double red, double green, double blue) {
        SetColor("N/W");
        Scroll();
        DevPos(22, 10);
        DevOut("R/G/B" + Str(red) + Str(green) + Str(blue));
        app->repaint();
        return pixels(app->frame(), kTextLine);
    }
    // Device x of a thumb's left column on a tick of a 100-pixel slider at window x 100.
    static int thumbAt(int tick) {
        return 100 + static_cast<int>(std::floor(10 + (tick - 1) * (80.0 / 9) - 8 + 0.5));
    }

    OffscreenBackend* script;
    std::unique_ptr<Application> app;
};

TEST_F(MixerTest, StartUpShowsTicks1_5_10AndTheirMix) {
    State start;
    record(start);
    check([](const Surface& frame) {
        EXPECT_TRUE(
            horizontalLook(100, 40, 10, 1, RaisedKnobBitmap).matches(frame, 100, kRedBottom));
        EXPECT_TRUE(
            horizontalLook(100, 40, 10, 5, RaisedKnobBitmap).matches(frame, 100, kGreenBottom));
        EXPECT_TRUE(
            horizontalLook(100, 40, 10, 10, RaisedKnobBitmap).matches(frame, 100, kBlueBottom));
        EXPECT_TRUE(testing::matchesGolden(frame, "slidrgb-start"));
    });
    Main();
    EXPECT_EQ(start.swatch, mix(25.5, 127.5, 255.0));
    EXPECT_TRUE(start.swatchUniform);
    EXPECT_EQ(start.thumbs, (std::vector<int>{thumbAt(1), thumbAt(5), thumbAt(10)}));
    EXPECT_EQ(start.text, renderedLine(25.5, 127.5, 255.0));
}

// Dragging the red thumb into cell 3 changes red alone; tick 3 gives 76.5, which reaches the
// color table (rounded there to 77, not cut to 76) and the text unrounded.
TEST_F(MixerTest, DraggingRedChangesOnlyRed) {
    State dragged;
    input(PointerInput::Kind::Press, 110, kRedBottom - 20);
    input(PointerInput::Kind::Move, 128, kRedBottom - 20);  // slider x 28: cell 3
    input(PointerInput::Kind::Release, 128, kRedBottom - 20);
    record(dragged);
    double tableRed = -1;
    check([&](const Surface&) { tableRed = SetAppWindow().presSpace().colorOfIndex(15).red; });
    Main();
    EXPECT_EQ(dragged.swatch, mix(76.5, 127.5, 255.0));
    EXPECT_EQ(tableRed, 77);
    EXPECT_TRUE(dragged.swatchUniform);
    EXPECT_EQ(dragged.thumbs, (std::vector<int>{thumbAt(3), thumbAt(5), thumbAt(10)}));
    EXPECT_EQ(dragged.text, renderedLine(76.5, 127.5, 255.0));
}

TEST_F(MixerTest, PressOnATrackMakesThatSliderJump) {
    State pressed;
    // The blue track at slider x 30 (cell 3) and the green track at slider x 89 (cell 10).
    input(PointerInput::Kind::Press, 130, kBlueBottom - 30);
    input(PointerInput::Kind::Release, 130, kBlueBottom - 30);
    input(PointerInput::Kind::Press, 189, kGreenBottom - 5);
    input(PointerInput::Kind::Release, 189, kGreenBottom - 5);
    record(pressed);
    Main();
    EXPECT_EQ(pressed.thumbs, (std::vector<int>{thumbAt(1), thumbAt(10), thumbAt(3)}));
    EXPECT_EQ(pressed.swatch, mix(25.5, 255.0, 76.5));
    EXPECT_EQ(pressed.text, renderedLine(25.5, 255.0, 76.5));
}

// The close request is dispatched and ends the loop: Main returns, the program exits with 0,
// and nothing after the close is acted on.
TEST(MixerProgramTest, CloseRequestEndsTheProgramWithStatusZero) {
    const std::string dir = testing::outputPath("");
    const std::string replay = dir + "close.replay";
    const std::string after = dir + "after-close.png";
    const std::string atClose = dir + "at-close.png";
    std::remove(after.c_str());
    std::ofstream(replay) << "click 150 " << kBlueBottom - 20 << "\nclose\nscreenshot " << after
                          << "\n";
    const char* argv[] = {"slidrgb",      "--platform",   "offscreen",    "--replay",
                          replay.c_str(), "--screenshot", atClose.c_str()};
    EXPECT_EQ(runApplication(7, argv, Main), 0);
    EXPECT_FALSE(std::ifstream(after).good());
    const std::unique_ptr<Surface> shot = testing::loadPng(atClose);
    // The state the user saw when asking to close: blue on tick 6.
    EXPECT_EQ(shot->rgbAt(kSwatch.x + 10, kSwatch.y + 10), mix(25.5, 127.5, 153.0));
}

}  // namespace
}  // namespace tev
