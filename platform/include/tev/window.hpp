#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "tev/geometry.hpp"
#include "tev/message_param.hpp"
#include "tev/region.hpp"

namespace tev {

class PresSpace;
class Surface;

// What a presentation space draws on: a surface, where the window's pixel (0, 0) lies on it
// (`left`, `bottomRow`), and the device pixels drawing may reach.
struct DrawTarget {
    Surface& surface;
    int left;
    int bottomRow;
    Region clip;
};

// A window of the tree: the application window or a control. Its position is the
// bottom-left corner in its parent's coordinates, x to the right and y up; its children are
// kept bottom first, so the last child is the topmost.
//
// Invariant: a window is in its parent's children exactly while its parent pointer is set;
// destroying either side unlinks them, so no pointer in the tree ever dangles.
class Window {
  public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // The one door for events. Mouse event codes go to LbDown, LbUp, lbClick and Motion with
    // the position relative to this window; every other code is passed over.
    virtual Window& HandleEvent(EventCode nEvent, const MessageParam& mp1 = {},
                                const MessageParam& mp2 = {});
    // Mouse callbacks, doing nothing by default; controls override them.
    virtual Window& LbDown(PositionPair aPos);
    virtual Window& LbUp(PositionPair aPos);
    virtual Window& lbClick(PositionPair aPos);
    virtual Window& Motion(PositionPair aPos);

    // Answers the parent; the application window has none.
    Window* SetParent() const { return parent_; }
    Window* owner() const { return owner_; }
    PositionPair CurrentPos() const { return pos_; }
    SizePair CurrentSize() const { return size_; }
    const std::vector<Window*>& children() const { return children_; }

    bool isVisible() const { return visible_; }
    // Visible itself and in every ancestor up to the application window.
    bool isShowing() const;

    // The window's whole area in device pixels, and the part of it that shows on the surface
    // (cut to every ancestor's area).
    DeviceRect deviceRect() const;
    Region visibleRegion() const;
    // The part of a device area that this window's ancestors leave showing.
    Region visiblePart(DeviceRect area) const;
    // Device x of the window's column 0 and device y of its row 0.
    int deviceLeft() const;
    int deviceBottomRow() const;
    // A device pixel in the window's own pixel coordinates, from its origin as drawn.
    PositionPair toLocal(int deviceX, int deviceY) const;
    // Where the pointer at a device pixel lies for this window: measured from the window's
    // real origin, CurrentPos, level by level, so that adding CurrentPos to it gives the same
    // point in the parent's coordinates, also for a window at a fractional position.
    PositionPair pointerToLocal(int deviceX, int deviceY) const;

    // The topmost showing window at a device pixel, this one or one of its descendants;
    // nullptr when the pixel lies outside this window.
    Window* windowAt(int deviceX, int deviceY);

    // The paint pass (see Application::repaint): draws this window's own look and then calls
    // Paint with the damaged part in window coordinates, both confined to `clip`.
    virtual void paintLook(Surface& frame, const Region& clip);
    virtual Window& Paint(const Rect& aRect);
    // Whether painting this window leaves its children's areas alone.
    virtual bool clipsChildren() const { return false; }

    // The device pixels where this window itself shows: its visible area less the windows
    // stacked above it and, when it clips its children, less its visible children.
    Region unobscuredRegion() const;

    // The surface and clip that this window's presentation space draws on, and the note of
    // what a drawing call changed.
    virtual DrawTarget drawTarget();
    virtual void noteDrawn(const DeviceRect& touched);

    // Used by the paint pass: confines drawing on this window to `clip` until cleared.
    void beginPaint(Region clip) { paintClip_ = std::move(clip); }
    void endPaint() { paintClip_.reset(); }

  protected:
    Window();

    // Tree edits; each damages what changes on screen.
    void attachTo(Window* parent);
    void detach();
    void moveTo(PositionPair pos);
    void resizeTo(SizePair size);
    void setVisible(bool visible);
    void damage(const Region& area) const;

    PositionPair pos_;
    SizePair size_;
    bool visible_ = false;
    Window* parent_ = nullptr;
    Window* owner_ = nullptr;
    std::vector<Window*> children_;
    std::optional<Region> paintClip_;
};

}  // namespace tev
