// A drag always ends: when the system takes the mouse away in the middle of a drag, the
// slider still gets exactly one end-track, and the drag is over. The slider probe prints its
// tracking callbacks; the test drives it with real input through the X server.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "desktop.hpp"

namespace tev::e2e {
namespace {

using std::chrono::seconds;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

bool contains(const std::string& line, const std::string& output) {
    for (const std::string& seen : lines(output)) {
        if (seen == line) {
            return true;
        }
    }
    return false;
}

struct Interruption {
    const char* name;
    // What the system does in the middle of the drag; nothing for a drag left alone.
    std::function<void(XClient&, XWindowId)> interrupt;
    std::vector<std::string> callbacks;
};

// The probe's thumb starts centred on (110, 180); its cells are 18 pixels wide from x = 110,
// so x = 150 lies in cell 3 and x = 250 in cell 8.
const Interruption kInterruptions[] = {
    {"Uninterrupted", nullptr, {"BeginTrack", "Track 3", "Track 8", "EndTrack"}},
    {"FocusMovesToAnotherWindow",
     [](XClient& x, XWindowId) { x.focusAnotherWindow(); },
     {"BeginTrack", "Track 3", "EndTrack"}},
    {"WindowIsHidden",
     [](XClient& x, XWindowId window) { x.hide(window); },
     {"BeginTrack", "Track 3", "EndTrack"}},
};

// Names the case in test listings and failure messages.
void PrintTo(const Interruption& interruption, std::ostream* out) {
    *out << interruption.name;
}

class DragInterruptionTest : public ::testing::TestWithParam<Interruption> {};

TEST_P(DragInterruptionTest, EveryBeginTrackIsFollowedByExactlyOneEndTrack) {
    const Interruption& interruption = GetParam();
    Desktop desktop;
    ChildProcess& probe = desktop.start({kSliderProbe});
    const std::optional<XWindowId> id = desktop.waitForWindow(probe, "slider_probe");
    ASSERT_TRUE(id) << probe.errors();
    ProgramWindow window(desktop.x(), *id, 1);
    auto printed = [&](const std::string& line) {
        return probe.waitForOutput(
            [&](const std::string& output) { return contains(line, output); }, seconds(10));
    };

    window.press(110, 180);
    ASSERT_TRUE(printed("BeginTrack")) << probe.output();
    window.move(150, 180);
    ASSERT_TRUE(printed("Track 3")) << probe.output();
    if (interruption.interrupt) {
        interruption.interrupt(desktop.x(), *id);
        // The drag ends by itself, before any further input.
        EXPECT_TRUE(printed("EndTrack")) << probe.output();
    }
    // The rest of the gesture: after an interruption it must not drag the thumb any more,
    // and its release must not end the drag a second time.
    window.move(250, 180);
    if (!interruption.interrupt) {
        ASSERT_TRUE(printed("Track 8")) << probe.output();
    }
    window.release(250, 180);
    window.move(260, 180);
    desktop.x().requestClose(*id);

    EXPECT_EQ(probe.waitForExit(seconds(10)), 0) << probe.errors();
    EXPECT_EQ(lines(probe.output()), interruption.callbacks);
    EXPECT_EQ(probe.errors(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, DragInterruptionTest, ::testing::ValuesIn(kInterruptions),
                         [](const ::testing::TestParamInfo<Interruption>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tev::e2e
