#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "offscreen_backend.hpp"
#include "support/pixels.hpp"
#include "support/test_app.hpp"
#include "tev/graphics.hpp"
#include "tev/resources.hpp"
#include "tev/runtime_error.hpp"
#include "tev/tev_static.hpp"

namespace tev {
namespace {

using testing::deviceRow;
using testing::Snapshot;
using testing::TestApp;

constexpr Rgb kGrey = PanelFace;
constexpr Rgb kWhite{255, 255, 255};

// A panel whose Paint fills the requested rectangle with one color index and records it.
class PaintingPanel : public TevStatic {
  public:
    int colorIndex = 4;
    std::vector<Rect> requests;
    std::vector<std::string>* order = nullptr;
    std::string name;

    Window& Paint(const Rect& aRect) override {
        requests.push_back(aRect);
        if (order)
            order->push_back(name);
        PresSpace& ps = LockPS();
        AttributeArray fill = Array(5);
        fill[area::Color] = colorIndex;
        ps.setAttrArea(fill);
        GraBox(ps, {aRect.x1, aRect.y1}, {aRect.x2, aRect.y2}, 1);
        UnlockPS();
        return *this;
    }
};

class RepaintTest : public ::testing::Test {
  protected:
    RepaintTest() {
        SetColor("N/W");
        Scroll();
        t.paint();
    }
    std::unique_ptr<TevStatic> panel(PositionPair pos, SizePair size, Window* parent = nullptr) {
        auto p = TevStatic::New(parent, nullptr, pos, size);
        p->Type = static_type::Panel;
        p->Create();
        return p;
    }
    // Device rectangle of a control-sized box at a window position.
    static DeviceRect area(int x, int y, int w, int h) { return {x, deviceRow(y + h - 1), w, h}; }
    TestApp t;
};

TEST_F(RepaintTest, PanelShowsItsGreyFaceOverTheRetainedWindow) {
    auto p = panel({100, 100}, {50, 20});
    const Surface& frame = t.paint();
    EXPECT_EQ(testing::countColor(frame, area(100, 100, 50, 20), kGrey.packed()), 50 * 20);
    EXPECT_EQ(frame.rgbAt(99, deviceRow(100)), kWhite);
    EXPECT_EQ(frame.rgbAt(150, deviceRow(100)), kWhite);
    EXPECT_EQ(frame.rgbAt(100, deviceRow(120)), kWhite);
}

// Moving a control repaints its old and its new area and nothing else; what the window
// keeps (text, graphics) shows again where the control was.
TEST_F(RepaintTest, MoveRepaintsExactlyTheOldAndNewAreas) {
    DevPos(18, 12);
    DevOut("kept");
    auto p = panel({90, 100}, {50, 20});
    t.paint();
    const Snapshot before(t.app().frame());
    p->SetPos({300, 50});
    const long long repainted = t.app().repaint();
    EXPECT_EQ(repainted, 2 * 50 * 20);
    Region expected(area(90, 100, 50, 20));
    expected.unite(area(300, 50, 50, 20));
    Region changed = before.changedIn(t.app().frame());
    changed.subtract(expected);
    EXPECT_TRUE(changed.isEmpty());
    // The text under the old place shows again, exactly as the window keeps it.
    const Snapshot retained(t.window().retainedSurface());
    EXPECT_TRUE(retained.changedIn(t.app().frame()).extents().x >= 300);
    EXPECT_EQ(t.app().repaint(), 0);
}

TEST_F(RepaintTest, PaintGetsTheDamagedPartInControlCoordinates) {
    auto p = tev::New<PaintingPanel>(nullptr, nullptr, PositionPair{100, 100}, SizePair{60, 40});
    p->Create();
    t.paint();
    ASSERT_EQ(p->requests.size(), 1u);
    EXPECT_EQ(p->requests[0], (Rect{0, 0, 59, 39}));
    p->InvalidateRect(Rect{10, 5, 19, 14});
    const Snapshot before(t.app().frame());
    t.paint();
    ASSERT_EQ(p->requests.size(), 2u);
    EXPECT_EQ(p->requests[1], (Rect{10, 5, 19, 14}));
    // Only that rectangle was repainted.
    const Region changed = before.changedIn(t.app().frame());
    Region outside = changed;
    outside.subtract(DeviceRect::spanning(110, deviceRow(105), 119, deviceRow(114)));
    EXPECT_TRUE(outside.isEmpty());
}

// Parents paint before their children; with ClipChildren a parent's painting leaves its
// children's areas alone; a child is cut to its parent's area.
TEST_F(RepaintTest, ParentsBeforeChildrenAndClipChildren) {
    std::vector<std::string> order;
    auto parent =
        tev::New<PaintingPanel>(nullptr, nullptr, PositionPair{100, 100}, SizePair{100, 50});
    parent->name = "parent";
    parent->order = &order;
    parent->colorIndex = 4;  // red
    parent->ClipChildren = true;
    parent->Create();
    auto child =
        tev::New<PaintingPanel>(parent.get(), nullptr, PositionPair{90, 10}, SizePair{30, 20});
    child->name = "child";
    child->order = &order;
    child->colorIndex = 3;  // blue
    child->Create();
    const Surface& frame = t.paint();
    EXPECT_EQ(order, (std::vector<std::string>{"parent", "child"}));
    // The child shows only inside the parent: 10 of its 30 columns.
    EXPECT_EQ(testing::countColor(frame, area(190, 110, 10, 20), 0x0000FF), 10 * 20);
    EXPECT_EQ(frame.rgbAt(200, deviceRow(115)), kWhite);
    // With ClipChildren the parent's Paint was clipped off the child's area: the child's
    // request covers exactly its visible part.
    EXPECT_EQ(child->requests.back(), (Rect{0, 0, 9, 19}));
}

TEST_F(RepaintTest, BitmapControlTakesItsBitmapsSizeAndPicture) {
    auto knob = TevStatic::New(nullptr, nullptr, PositionPair{20, 20});
    knob->Type = static_type::Bitmap;
    knob->Caption = RaisedKnobBitmap;
    knob->AutoSize = true;
    knob->Create();
    EXPECT_EQ(knob->CurrentSize(), (SizePair{16, 16}));
    const Bitmap& raised = loadBitmapResource(RaisedKnobBitmap);
    const Bitmap& pressed = loadBitmapResource(PressedKnobBitmap);
    auto expectPicture = [&](const Bitmap& picture) {
        const Surface& frame = t.paint();
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                ASSERT_EQ(frame.pixel(20 + x, deviceRow(35) + y), picture.at(x, y));
            }
        }
    };
    expectPicture(raised);
    knob->setCaption(PressedKnobBitmap);
    expectPicture(pressed);
}

TEST_F(RepaintTest, ControlDrawingNeedsTheLock) {
    auto p = panel({10, 10}, {20, 20});
    t.paint();
    EXPECT_THROW(GraLine(p->presSpace(), {0, 0}, {5, 5}), RuntimeError);
    PresSpace& ps = p->LockPS();
    EXPECT_THROW(p->LockPS(), RuntimeError);
    GraLine(ps, {0, 0}, {19, 0});  // drawn outside the paint pass: shown as it is
    p->UnlockPS();
    EXPECT_THROW(p->UnlockPS(), RuntimeError);
    const Surface& frame = t.paint();
    EXPECT_EQ(frame.rgbAt(15, deviceRow(10)), (Rgb{0, 0, 0}));
    // Until the control is repainted, which draws its look again.
    p->InvalidateRect();
    EXPECT_EQ(t.paint().rgbAt(15, deviceRow(10)), kGrey);
}

TEST_F(RepaintTest, ShowHideAndCreateMisuse) {
    auto p = panel({10, 10}, {20, 20});
    p->Hide();
    EXPECT_EQ(t.paint().rgbAt(15, deviceRow(15)), kWhite);
    p->Show();
    EXPECT_EQ(t.paint().rgbAt(15, deviceRow(15)), kGrey);
    EXPECT_THROW(p->Create(), RuntimeError);
    TevStatic bare;
    EXPECT_THROW(bare.Create(), RuntimeError);
    EXPECT_THROW(p->SetPos({std::nan(""), 0}), RuntimeError);
    EXPECT_EQ(p->CurrentPos(), (PositionPair{10, 10}));
}

// Drawing outside the paint pass stays where the control shows itself: not over a control
// stacked above it.
TEST_F(RepaintTest, DrawingOutsideThePaintPassLeavesControlsAboveAlone) {
    auto low = panel({100, 100}, {60, 40});
    auto high = panel({130, 120}, {60, 40});
    t.paint();
    PresSpace& ps = low->LockPS();
    AttributeArray fill = Array(5);
    fill[area::Color] = 4;
    ps.setAttrArea(fill);
    GraBox(ps, {0, 0}, {59, 39}, 1);
    low->UnlockPS();
    const Surface& frame = t.paint();
    EXPECT_EQ(frame.rgbAt(110, deviceRow(110)), (Rgb{255, 0, 0}));  // low alone
    EXPECT_EQ(frame.rgbAt(140, deviceRow(130)), kGrey);             // under high
}

// Painting that damages more (here a Paint that moves another control the first time) is
// painted too before the frame is shown and the program waits for input.
TEST(RepaintLoopTest, DamageFromPaintingIsPaintedBeforeWaiting) {
    class Mover : public TevStatic {
      public:
        TevStatic* other = nullptr;
        Window& Paint(const Rect&) override {
            if (other->CurrentPos().x != 400)
                other->SetPos({400, 50});
            return *this;
        }
    };
    auto backend = std::make_unique<OffscreenBackend>();
    OffscreenBackend& script = *backend;
    Application app("loop", std::move(backend));
    SetColor("N/W");
    Scroll();
    auto other = TevStatic::New(nullptr, nullptr, PositionPair{10, 10}, SizePair{20, 20});
    other->Type = static_type::Panel;
    other->Create();
    auto mover = tev::New<Mover>(nullptr, nullptr, PositionPair{200, 200}, SizePair{10, 10});
    mover->other = other.get();
    mover->Create();
    bool checked = false;
    script.addFrameAction([&](const Surface& frame) {
        checked = true;
        EXPECT_EQ(frame.rgbAt(405, deviceRow(55)), kGrey);
        EXPECT_EQ(frame.rgbAt(15, deviceRow(15)), kWhite);
    });
    testing::runUntilClose();
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace tev
