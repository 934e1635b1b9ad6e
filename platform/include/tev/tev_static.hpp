#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "tev/message_param.hpp"
#include "tev/pres_space.hpp"
#include "tev/window.hpp"

namespace tev {

// One presentation parameter: an identifier and its value. The static control keeps them for
// derived classes; it draws nothing from them itself.
struct PresParam {
    int id = 0;
    MessageParam value;
};
using PresParams = std::vector<PresParam>;

// The caption of a static control: unset, a resource identifier or a text.
using CaptionValue = std::variant<std::monostate, int, std::string>;

// Static control types the platform draws.
namespace static_type {
inline constexpr int Bitmap = 5;  // the bitmap resource whose identifier is the caption
inline constexpr int Panel = 12;  // a flat panel with a light grey face, (192, 192, 192)
}  // namespace static_type

// Makes an object in the two steps of the platform: constructs it, then runs its Init with the
// arguments given, so Init reaches the most derived class. Create makes the window later.
template <class T, class... Args>
std::unique_ptr<T> New(Args&&... args) {
    auto object = std::make_unique<T>();
    object->Init(std::forward<Args>(args)...);
    return object;
}

// The platform's static control, the base of every control. Made with New (or constructed and
// given Init), adjusted through its settings, then given a window by Create.
//
// Init stores its arguments; Create's unset arguments fall back to them, and unset ones there
// to the platform's defaults: the application window as parent, the parent as owner,
// position {0, 0}, size {0, 0} (or the bitmap's size with AutoSize), visible.
class TevStatic : public Window {
  public:
    TevStatic();
    ~TevStatic() override;

    // Settings. Type, Caption and AutoSize take effect at Create (afterwards setCaption changes
    // the caption); `visible` holds the visibility that Init was given.
    int Type = 0;
    CaptionValue Caption;
    bool AutoSize = false;
    bool ClipChildren = false;
    bool visible = true;

    static std::unique_ptr<TevStatic> New(Window* oParent = nullptr, Window* oOwner = nullptr,
                                          std::optional<PositionPair> aPos = std::nullopt,
                                          std::optional<SizePair> aSize = std::nullopt,
                                          PresParams aPP = {},
                                          std::optional<bool> lVisible = std::nullopt) {
        return tev::New<TevStatic>(oParent, oOwner, aPos, aSize, std::move(aPP), lVisible);
    }

    virtual TevStatic& Init(Window* oParent = nullptr, Window* oOwner = nullptr,
                            std::optional<PositionPair> aPos = std::nullopt,
                            std::optional<SizePair> aSize = std::nullopt, PresParams aPP = {},
                            std::optional<bool> lVisible = std::nullopt);
    // Makes the control's window, topmost among its parent's children. A control is created
    // once; a second Create raises a RuntimeError, and so does a bitmap control whose caption
    // names a missing or malformed bitmap resource.
    virtual TevStatic& Create(Window* oParent = nullptr, Window* oOwner = nullptr,
                              std::optional<PositionPair> aPos = std::nullopt,
                              std::optional<SizePair> aSize = std::nullopt, PresParams aPP = {},
                              std::optional<bool> lVisible = std::nullopt);

    TevStatic& Show();
    TevStatic& Hide();
    // Takes (true) or gives back (false) the mouse capture: while held, every mouse event goes
    // to this control. Answers whether the control holds the capture as asked.
    bool CaptureMouse(bool lCapture);
    // Changes the caption and repaints; with AutoSize a new bitmap also gives the new size.
    // A bitmap that is missing or malformed raises a RuntimeError and changes nothing.
    TevStatic& setCaption(CaptionValue caption);
    // Has the whole control, or a rectangle of it in its own coordinates, repainted.
    TevStatic& InvalidateRect(std::optional<Rect> aRect = std::nullopt);
    TevStatic& SetPos(PositionPair aPos);
    TevStatic& SetSize(SizePair aSize);
    // Hands out the presentation space for drawing until UnlockPS gives it back.
    PresSpace& LockPS();
    TevStatic& UnlockPS();
    PresSpace& presSpace() { return presSpace_; }

    bool isCreated() const { return created_; }
    bool isLocked() const { return locked_; }
    const PresParams& presParams() const { return presParams_; }

    void paintLook(Surface& frame, const Region& clip) override;
    bool clipsChildren() const override { return ClipChildren; }
    DrawTarget drawTarget() override;

  protected:
    // The size a bitmap control takes with AutoSize; unset for other controls.
    std::optional<SizePair> autoSize() const;

  private:
    bool initialized_ = false;
    bool created_ = false;
    bool locked_ = false;
    Window* initParent_ = nullptr;
    Window* initOwner_ = nullptr;
    std::optional<PositionPair> initPos_;
    std::optional<SizePair> initSize_;
    PresParams presParams_;
    PresSpace presSpace_;
};

}  // namespace tev
