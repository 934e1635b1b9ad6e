#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_app.hpp"
#include "tev/tev_static.hpp"

namespace tev {
namespace {

using testing::TestApp;

// A panel that logs its mouse callbacks as "name:callback x y".
class MousePanel : public TevStatic {
  public:
    std::string name;
    std::vector<std::string>* log = nullptr;
    bool captureOnPress = false;

    Window& LbDown(PositionPair p) override {
        if (captureOnPress)
            CaptureMouse(true);
        return note("down", p);
    }
    Window& LbUp(PositionPair p) override {
        if (captureOnPress)
            CaptureMouse(false);
        return note("up", p);
    }
    Window& lbClick(PositionPair p) override { return note("click", p); }
    Window& Motion(PositionPair p) override { return note("move", p); }

  private:
    Window& note(const char* what, PositionPair p) {
        log->push_back(name + ":" + what + " " + std::to_string(static_cast<int>(p.x)) + " " +
                       std::to_string(static_cast<int>(p.y)));
        return *this;
    }
};

// Two overlapping panels in the window: `low` at {100, 100} 100x50, `high` on top of it at
// {150, 120} 100x50 (window coordinates, bottom-left origin).
class MouseTest : public ::testing::Test {
  protected:
    MouseTest() {
        low = make("low", {100, 100});
        high = make("high", {150, 120});
    }
    std::unique_ptr<MousePanel> make(const char* name, PositionPair pos) {
        auto panel = tev::New<MousePanel>(nullptr, nullptr, pos, SizePair{100, 50});
        panel->name = name;
        panel->log = &log;
        panel->Type = static_type::Panel;
        panel->Create();
        return panel;
    }
    // Device pixel of a window point.
    static int row(int windowY) { return testing::deviceRow(windowY); }

    TestApp t;
    std::vector<std::string> log;
    std::unique_ptr<MousePanel> low;
    std::unique_ptr<MousePanel> high;
};

TEST_F(MouseTest, EventsGoToTheTopmostVisibleControlInItsCoordinates) {
    t.move(120, row(110));  // only low
    t.move(160, row(130));  // both: high is on top
    t.dispatchAll();
    high->Hide();
    t.move(160, row(130));  // high hidden: low
    t.move(5, row(5));      // the window itself
    t.dispatchAll();
    EXPECT_EQ(log,
              (std::vector<std::string>{"low:move 20 10", "high:move 10 10", "low:move 60 30"}));
}

TEST_F(MouseTest, PressAndReleaseOnOneControlMakeAClickAfterTheRelease) {
    t.click(120, row(110));
    t.press(120, row(110));
    t.release(260, row(110));  // released elsewhere: no click
    t.dispatchAll();
    EXPECT_EQ(log, (std::vector<std::string>{"low:down 20 10", "low:up 20 10", "low:click 20 10",
                                             "low:down 20 10"}));
}

// While a control holds the capture it gets every mouse event, outside its area and outside
// the window too, with positions that may be negative or beyond its size.
TEST_F(MouseTest, CaptureHolderGetsEventsEverywhere) {
    low->captureOnPress = true;
    t.press(110, row(110));
    t.move(160, row(130));  // over high
    t.move(-30, row(500));  // left of and below the window
    t.move(900, row(-50));  // right of and above it
    t.release(900, row(-50));
    t.move(160, row(130));  // capture given back: high again
    t.dispatchAll();
    EXPECT_EQ(
        log, (std::vector<std::string>{"low:down 10 10", "low:move 60 30", "low:move -130 400",
                                       "low:move 800 -150", "low:up 800 -150", "high:move 10 10"}));
    EXPECT_FALSE(t.backend().captureHeld());
}

// The system taking the mouse away in the middle of a drag still ends it: the capture holder
// gets a release at the last pointer position, and nothing more.
TEST_F(MouseTest, LostCaptureDeliversOneRelease) {
    low->captureOnPress = true;
    t.press(110, row(110));
    t.move(130, row(115));
    t.dispatchAll();
    EXPECT_TRUE(t.backend().captureHeld());
    t.app().pushInput({PointerInput::Kind::CaptureLost, 0, 0});
    t.app().pushInput({PointerInput::Kind::CaptureLost, 0, 0});
    t.dispatchAll();
    EXPECT_EQ(log, (std::vector<std::string>{"low:down 10 10", "low:move 30 15", "low:up 30 15"}));
    EXPECT_FALSE(t.backend().captureHeld());
    EXPECT_EQ(t.app().captureHolder(), nullptr);
}

TEST_F(MouseTest, ACaptureHolderThatGoesAwayReleasesTheCapture) {
    low->captureOnPress = true;
    t.press(110, row(110));
    t.dispatchAll();
    low.reset();
    EXPECT_EQ(t.app().captureHolder(), nullptr);
    t.move(160, row(130));
    t.dispatchAll();
    EXPECT_EQ(log.back(), "high:move 10 10");
}

}  // namespace
}  // namespace tev
