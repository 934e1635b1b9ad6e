#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "run_application.hpp"
#include "support/golden.hpp"
#include "support/test_app.hpp"
#include "tev/application.hpp"
#include "tev/tev_static.hpp"
#include "tev/version.hpp"

namespace tev {
namespace {

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

RunResult run(std::vector<std::string> args, const std::function<void()>& mainProcedure) {
    args.insert(args.begin(), "/usr/bin/probe");
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = runApplication(static_cast<int>(argv.size()), argv.data(), mainProcedure);
    RunResult result{status, ::testing::internal::GetCapturedStdout(),
                     ::testing::internal::GetCapturedStderr()};
    return result;
}

std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = testing::outputPath(name);
    std::ofstream(path) << text;
    return path;
}

using testing::runUntilClose;

int countLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(StartupTest, OptionsAndTheirExitStatus) {
    const std::string badReplay = writeFile("bad.replay", "press 1 2\n\n  wiggle 3 4\n");
    const std::string badCoordinate = writeFile("badxy.replay", "move 10 ten\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string inOut;
        std::string inErr;
    };
    const Case cases[] = {
        {{"--help"}, 0, "--replay FILE", ""},
        {{"--version"}, 0, std::string("probe ") + Version, ""},
        {{"--frobnicate"}, 2, "", "probe: unknown option \"--frobnicate\" (see --help)"},
        {{"--scale", "0"}, 2, "", "--scale takes a whole number from 1 to 8"},
        {{"--platform", "teletype"}, 2, "", "unknown platform \"teletype\""},
        {{"--replay"}, 2, "", "option --replay needs a value"},
        {{"--platform", "offscreen", "--replay", badReplay},
         2,
         "",
         badReplay + ":3: unknown action \"wiggle\""},
        {{"--platform", "offscreen", "--replay", badCoordinate},
         2,
         "",
         badCoordinate + ":1: \"ten\" is not a whole number"},
        {{"--platform", "offscreen", "--replay", "/nonexistent/x.replay"},
         2,
         "",
         "cannot read the replay file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        bool ran = false;
        const RunResult r = run(c.args, [&] { ran = true; });
        EXPECT_EQ(r.status, c.status);
        EXPECT_FALSE(ran);
        EXPECT_NE(r.out.find(c.inOut), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(c.inErr), std::string::npos) << r.err;
        if (c.status != 0) {
            EXPECT_EQ(countLines(r.err), 1) << r.err;
        }
    }
}

// A runtime error anywhere, from the platform or from program code, reaches the default error
// handler: one line on stderr naming what failed, and exit status 1.
TEST(StartupTest, RuntimeErrorsReachTheDefaultErrorHandler) {
    struct Case {
        const char* name;
        std::function<void()> program;
        std::string message;
    };
    const Case cases[] = {
        {"platform misuse", [] { SetColor("Q/W"); }, "probe: error: SetColor: unknown color \"Q\""},
        {"wrong parameter type",
         [] {
             auto control = TevStatic::New();
             control->Create();
             control->HandleEvent(MouseLeftDown, 3.0);
         },
         "probe: error: HandleEvent: expected a position pair message parameter, got number 3"},
        {"program code", [] { throw std::runtime_error("out of paint"); },
         "probe: error: out of paint"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult r = run({"--platform", "offscreen"}, c.program);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
        EXPECT_EQ(countLines(r.err), 1) << r.err;
    }
}

TEST(StartupTest, MainReturningEndsWithStatusZero) {
    const RunResult r = run({"--platform", "offscreen"}, runUntilClose);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
}

// A control that the user drags around by itself: it takes the capture on a press and follows
// the pointer until the release.
class DragPanel : public TevStatic {
  public:
    Window& LbDown(PositionPair aPos) override {
        CaptureMouse(true);
        grab_ = aPos;
        return *this;
    }
    Window& Motion(PositionPair aPos) override {
        if (SetParent() != nullptr && isDragging()) {
            SetPos({CurrentPos().x + aPos.x - grab_.x, CurrentPos().y + aPos.y - grab_.y});
        }
        return *this;
    }
    Window& LbUp(PositionPair) override {
        CaptureMouse(false);
        return *this;
    }

  private:
    bool isDragging() { return Application::current("test").captureHolder() == this; }
    PositionPair grab_;
};

// A control in the window and a scripted drag whose pointer leaves the window while the control
// holds the capture: the control follows the pointer out of the window, the release outside
// ends the drag, and later motion over the window moves nothing.
TEST(StartupTest, ScriptedDragLeavingTheWindowGivesTheExpectedPixels) {
    const std::string shot = testing::outputPath("drag-outside.png");
    const std::string replay = writeFile("drag-outside.replay",
                                         "press 110 290\n"
                                         "move 60 290\n"
                                         "move -20 290\n"      // 130 pixels left, outside
                                         "release -500 -20\n"  // far outside the window
                                         "move 300 100\n"
                                         "screenshot " +
                                             shot + "\n");
    const RunResult r = run({"--platform", "offscreen", "--replay", replay}, [] {
        SetColor("N/W");
        Scroll();
        auto panel =
            tev::New<DragPanel>(nullptr, nullptr, PositionPair{100, 100}, SizePair{40, 20});
        panel->Type = static_type::Panel;
        panel->Create();
        runUntilClose();
    });
    ASSERT_EQ(r.status, 0) << r.err;
    const std::unique_ptr<Surface> frame = testing::loadPng(shot);
    // The panel followed the pointer 130 pixels left, from x 100 to -30: only its last 10
    // columns show, at the window's left edge; the release outside left it there.
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool panel = x < 10 && y >= 280 && y < 300;
            ASSERT_EQ(frame->pixel(x, y), panel ? PanelFace.packed() : 0xFFFFFFu) << x << ", " << y;
        }
    }
}

}  // namespace
}  // namespace tev
