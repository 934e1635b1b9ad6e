// The color mixer in a real window under an X server: real pointer input through the server,
// pixels read back from the screen. Each case plays its actions twice, through the window
// and through the offscreen backend, and the window must show exactly the offscreen frames,
// at scale 1 and at scale 2; named pixels check what each case is about on top of that.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "desktop.hpp"
#include "support/golden.hpp"
#include "support/test_app.hpp"

namespace tev::e2e {
namespace {

using std::chrono::seconds;

// A pixel that tells something, at the program's own device pixels (top-left origin).
struct PixelCheck {
    const char* what;
    int x;
    int y;
    Rgb color;
};

// The knobs: raised (bitmap 1003) shows white on its upper rim, pressed (1004) dark grey. The
// rim pixel checked is 5 right of and 1 below the knob's top-left corner; the red thumb's
// corner is (102, 172) on tick 1 and (182, 172) on tick 10, the blue one's (182, 272) on 10.
constexpr Rgb kRaisedRim{255, 255, 255};
constexpr Rgb kPressedRim{128, 128, 128};
constexpr PixelCheck redRaisedOnFirstTick{"red knob raised on tick 1", 107, 173, kRaisedRim};
constexpr PixelCheck redPressedOnFirstTick{"red knob pressed on tick 1", 107, 173, kPressedRim};
constexpr PixelCheck redPressedOnLastTick{"red knob pressed on tick 10", 187, 173, kPressedRim};
constexpr PixelCheck redRaisedOnLastTick{"red knob raised on tick 10", 187, 173, kRaisedRim};
constexpr PixelCheck blueRaisedOnLastTick{"blue knob raised on tick 10", 187, 273, kRaisedRim};
// The swatch at start-up: red 25.5, green 127.5, blue 255.
constexpr PixelCheck startSwatch{"swatch at start-up", 400, 230, {26, 128, 255}};
constexpr PixelCheck swatchRedFirst{"swatch with red on tick 1", 400, 230, {26, 128, 255}};
constexpr PixelCheck swatchRedLast{"swatch with red on tick 10", 400, 230, {255, 128, 255}};
constexpr PixelCheck swatchRedLastBlueFourth{
    "swatch with red on tick 10, blue on 4", 400, 230, {255, 128, 102}};

struct Step {
    enum class Kind { Press, Move, Release, Expect };
    Kind kind;
    int x = 0;
    int y = 0;
    std::string label;
    std::vector<PixelCheck> checks;
};

Step press(int x, int y) {
    return {Step::Kind::Press, x, y, {}, {}};
}
Step move(int x, int y) {
    return {Step::Kind::Move, x, y, {}, {}};
}
Step release(int x, int y) {
    return {Step::Kind::Release, x, y, {}, {}};
}
// The window shows what the offscreen program shows at this point, and these pixels.
Step expect(std::string label, std::vector<PixelCheck> checks = {}) {
    return {Step::Kind::Expect, 0, 0, std::move(label), std::move(checks)};
}

struct MixerCase {
    const char* name;
    std::vector<Step> steps;
};

// The red slider's thumb starts centred on (110, 180); its track cells are 8 pixels wide from
// x = 110. The blue slider's track runs along y = 280.
const MixerCase kCases[] = {
    {"StartUp", {expect("start", {redRaisedOnFirstTick, blueRaisedOnLastTick, startSwatch})}},
    {"DragThumbAcrossCells",
     {press(110, 180), move(121, 180), move(133, 180), expect("held on cell 4"), move(150, 180),
      release(150, 180), expect("released on cell 6")}},
    {"PressOnTrack", {press(140, 280), expect("pressed"), release(140, 280), expect("released")}},
    {"DragLeavesWindowLeftAndRight",
     {press(110, 180), move(60, 180), move(-50, 180),
      expect("left of the window", {redPressedOnFirstTick, swatchRedFirst}), move(500, 180),
      move(700, 180), expect("right of the window", {redPressedOnLastTick, swatchRedLast}),
      release(700, 180), expect("released outside", {redRaisedOnLastTick, swatchRedLast}),
      // The release ended the drag: moving over the red track afterwards changes nothing.
      // The press on the blue track after it shows once both have been handled.
      move(130, 180), press(140, 280), release(140, 280),
      expect("moved back after the release", {redRaisedOnLastTick, swatchRedLastBlueFourth})}},
};

// Names the case in test listings and failure messages.
void PrintTo(const MixerCase& mixerCase, std::ostream* out) {
    *out << mixerCase.name;
}

std::string replayLine(const Step& step, int scale) {
    const char* action = step.kind == Step::Kind::Press  ? "press"
                         : step.kind == Step::Kind::Move ? "move"
                                                         : "release";
    return std::string(action) + " " + std::to_string(step.x * scale) + " " +
           std::to_string(step.y * scale);
}

// Plays the case through the offscreen backend; answers the frame at start-up and then the
// frame at each Expect step.
std::vector<std::unique_ptr<Surface>> offscreenFrames(const MixerCase& mixerCase, int scale) {
    const std::string base = testFileName("");
    std::ofstream replay(base + ".replay");
    std::vector<std::string> shots{base + ".start.offscreen.png"};
    replay << "screenshot " << shots.back() << "\n";
    for (const Step& step : mixerCase.steps) {
        if (step.kind == Step::Kind::Expect) {
            shots.push_back(base + "." + std::to_string(shots.size()) + ".offscreen.png");
            replay << "screenshot " << shots.back() << "\n";
        } else {
            replay << replayLine(step, scale) << "\n";
        }
    }
    replay.close();
    ChildProcess offscreen({kMixer, "--platform", "offscreen", "--scale", std::to_string(scale),
                            "--replay", base + ".replay"},
                           programEnvironment());
    const std::optional<int> status = offscreen.waitForExit(seconds(30));
    EXPECT_EQ(status, 0) << offscreen.errors();
    std::vector<std::unique_ptr<Surface>> frames;
    for (const std::string& shot : shots) {
        frames.push_back(testing::loadPng(shot));
    }
    return frames;
}

void checkPixels(const Screenshot& shot, const Step& step, int scale) {
    for (const PixelCheck& check : step.checks) {
        // Every window pixel of the enlarged frame pixel.
        for (int dy = 0; dy < scale; ++dy) {
            for (int dx = 0; dx < scale; ++dx) {
                EXPECT_EQ(shot.at(check.x * scale + dx, check.y * scale + dy), check.color)
                    << check.what << " at (" << check.x << ", " << check.y << "), " << step.label;
            }
        }
    }
}

class MixerWindowTest : public ::testing::TestWithParam<std::tuple<MixerCase, int>> {};

TEST_P(MixerWindowTest, ShowsWhatTheOffscreenProgramShows) {
    const auto& [mixerCase, scale] = GetParam();
    const std::vector<std::unique_ptr<Surface>> expected = offscreenFrames(mixerCase, scale);
    ASSERT_FALSE(::testing::Test::HasFailure());

    Desktop desktop;
    ChildProcess& mixer = desktop.start({kMixer, "--scale", std::to_string(scale)});
    const std::optional<XWindowId> id = desktop.waitForWindow(mixer, "slidrgb");
    ASSERT_TRUE(id) << "no window titled slidrgb; stderr: " << mixer.errors();
    ProgramWindow window(desktop.x(), *id, scale);

    // The whole first frame is there before any input: the window never shows empty.
    ASSERT_TRUE(window.waitUntilShows(*expected.front(), "start"));
    EXPECT_EQ(window.placement().width, 640 * scale);
    EXPECT_EQ(window.placement().height, 400 * scale);
    EXPECT_EQ(window.placement().x, (desktop.x().screenWidth() - 640 * scale) / 2) << "centred";
    EXPECT_EQ(window.placement().y, (desktop.x().screenHeight() - 400 * scale) / 2) << "centred";

    std::size_t shot = 1;
    for (const Step& step : mixerCase.steps) {
        switch (step.kind) {
            case Step::Kind::Press:
                window.press(step.x, step.y);
                break;
            case Step::Kind::Move:
                window.move(step.x, step.y);
                break;
            case Step::Kind::Release:
                window.release(step.x, step.y);
                break;
            case Step::Kind::Expect:
                ASSERT_TRUE(window.waitUntilShows(*expected[shot++], step.label));
                checkPixels(window.capture(), step, scale);
                break;
        }
    }

    desktop.x().requestClose(*id);
    EXPECT_EQ(mixer.waitForExit(seconds(10)), 0) << mixer.errors();
    EXPECT_EQ(mixer.errors(), "");
    EXPECT_EQ(desktop.x().takeErrors(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, MixerWindowTest,
                         ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Values(1, 2)),
                         [](const ::testing::TestParamInfo<std::tuple<MixerCase, int>>& info) {
                             return std::string(std::get<0>(info.param).name) + "AtScale" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(MixerWindow, ShowsItsFrameAgainAfterBeingHiddenAndShown) {
    const std::vector<std::unique_ptr<Surface>> expected = offscreenFrames({"Hidden", {}}, 1);
    ASSERT_FALSE(::testing::Test::HasFailure());
    Desktop desktop;
    ChildProcess& mixer = desktop.start({kMixer});
    const std::optional<XWindowId> id = desktop.waitForWindow(mixer, "slidrgb");
    ASSERT_TRUE(id) << mixer.errors();
    ProgramWindow window(desktop.x(), *id, 1);
    ASSERT_TRUE(window.waitUntilShows(*expected.front(), "start"));

    // The X server keeps nothing of a hidden window: the program must draw it again when
    // the server asks (an expose).
    desktop.x().hide(*id);
    desktop.x().show(*id);
    EXPECT_TRUE(window.waitUntilShows(*expected.front(), "shown again"));
}

TEST(MixerWindow, CloseRequestEndsTheProgramWithStatusZero) {
    Desktop desktop;
    ChildProcess& mixer = desktop.start({kMixer});
    const std::optional<XWindowId> id = desktop.waitForWindow(mixer, "slidrgb");
    ASSERT_TRUE(id) << mixer.errors();

    desktop.x().requestClose(*id);
    EXPECT_EQ(mixer.waitForExit(seconds(10)), 0) << mixer.errors();
    EXPECT_EQ(mixer.errors(), "");
}

}  // namespace
}  // namespace tev::e2e
