#include "tev/tev_static.hpp"

#include "tev/application.hpp"
#include "tev/color.hpp"
#include "tev/resources.hpp"
#include "tev/runtime_error.hpp"
#include "tev/surface.hpp"
#include "tev/tev_crt.hpp"

namespace tev {

namespace {

// The size of the picture a control of `type` shows for `caption`: set for a bitmap control
// whose caption is a resource identifier. Loading the picture raises the error of a missing or
// malformed resource.
std::optional<SizePair> pictureSize(int type, const CaptionValue& caption) {
    if (type != static_type::Bitmap) {
        return std::nullopt;
    }
    const int* id = std::get_if<int>(&caption);
    if (id == nullptr) {
        return std::nullopt;
    }
    const Bitmap& bitmap = loadBitmapResource(*id);
    return SizePair{static_cast<double>(bitmap.width), static_cast<double>(bitmap.height)};
}

}  // namespace

TevStatic::TevStatic() : presSpace_(*this) {}

TevStatic::~TevStatic() = default;

TevStatic& TevStatic::Init(Window* oParent, Window* oOwner, std::optional<PositionPair> aPos,
                           std::optional<SizePair> aSize, PresParams aPP,
                           std::optional<bool> lVisible) {
    initParent_ = oParent;
    initOwner_ = oOwner;
    initPos_ = aPos;
    initSize_ = aSize;
    presParams_ = std::move(aPP);
    visible = lVisible.value_or(true);
    pos_ = aPos.value_or(PositionPair{});
    size_ = aSize.value_or(SizePair{});
    initialized_ = true;
    return *this;
}

TevStatic& TevStatic::Create(Window* oParent, Window* oOwner, std::optional<PositionPair> aPos,
                             std::optional<SizePair> aSize, PresParams aPP,
                             std::optional<bool> lVisible) {
    if (!initialized_) {
        throw RuntimeError("Create", "the control has not been initialised (make it with New)");
    }
    if (created_) {
        throw RuntimeError("Create", "the control has been created already");
    }
    Window* parent = oParent != nullptr ? oParent : initParent_;
    if (parent == nullptr) {
        parent = &SetAppWindow();
    }
    if (parent == this) {
        throw RuntimeError("Create", "a control cannot be its own parent");
    }
    Window* owner = oOwner != nullptr ? oOwner : (initOwner_ != nullptr ? initOwner_ : parent);
    const PositionPair pos = aPos.value_or(initPos_.value_or(PositionPair{}));
    SizePair size = aSize.value_or(initSize_.value_or(SizePair{}));
    // A bitmap control loads its picture here, whatever its size, so a missing or malformed
    // resource is an error of Create and not of every paint pass after it.
    if (const auto bitmapSize = pictureSize(Type, Caption); bitmapSize && AutoSize) {
        size = *bitmapSize;
    }
    toPixel(pos.x, "Create");
    toPixel(pos.y, "Create");
    toPixel(size.width, "Create");
    toPixel(size.height, "Create");
    if (!aPP.empty()) {
        presParams_ = std::move(aPP);
    }

    visible = lVisible.value_or(visible);
    pos_ = pos;
    size_ = size;
    owner_ = owner;
    visible_ = visible;
    created_ = true;
    attachTo(parent);
    return *this;
}

TevStatic& TevStatic::Show() {
    visible = true;
    if (created_) {
        setVisible(true);
    }
    return *this;
}

TevStatic& TevStatic::Hide() {
    visible = false;
    if (created_) {
        setVisible(false);
    }
    return *this;
}

bool TevStatic::CaptureMouse(bool lCapture) {
    if (!created_) {
        throw RuntimeError("CaptureMouse", "the control has not been created");
    }
    return Application::current("CaptureMouse").setCapture(*this, lCapture);
}

TevStatic& TevStatic::setCaption(CaptionValue caption) {
    // The new picture is loaded before anything changes: a caption that names a missing or
    // malformed resource is refused, and the control keeps showing the picture it had.
    const auto bitmapSize = created_ ? pictureSize(Type, caption) : std::nullopt;
    Caption = std::move(caption);
    if (created_) {
        if (bitmapSize && AutoSize && !(*bitmapSize == size_)) {
            resizeTo(*bitmapSize);
        } else if (isShowing()) {
            damage(visibleRegion());
        }
    }
    return *this;
}

TevStatic& TevStatic::InvalidateRect(std::optional<Rect> aRect) {
    if (!created_ || !isShowing()) {
        return *this;
    }
    Region area = visibleRegion();
    if (aRect) {
        const int left = deviceLeft();
        const int bottom = deviceBottomRow();
        area.intersect(DeviceRect::spanning(left + toPixel(aRect->x1, "InvalidateRect"),
                                            bottom - toPixel(aRect->y1, "InvalidateRect"),
                                            left + toPixel(aRect->x2, "InvalidateRect"),
                                            bottom - toPixel(aRect->y2, "InvalidateRect")));
    }
    damage(area);
    return *this;
}

TevStatic& TevStatic::SetPos(PositionPair aPos) {
    if (created_) {
        moveTo(aPos);
    } else {
        pos_ = aPos;
        initPos_ = aPos;
    }
    return *this;
}

TevStatic& TevStatic::SetSize(SizePair aSize) {
    if (created_) {
        resizeTo(aSize);
    } else {
        size_ = aSize;
        initSize_ = aSize;
    }
    return *this;
}

PresSpace& TevStatic::LockPS() {
    if (!created_) {
        throw RuntimeError("LockPS", "the control has not been created");
    }
    if (locked_) {
        throw RuntimeError("LockPS", "the presentation space is locked already");
    }
    locked_ = true;
    return presSpace_;
}

TevStatic& TevStatic::UnlockPS() {
    if (!locked_) {
        throw RuntimeError("UnlockPS", "the presentation space is not locked");
    }
    locked_ = false;
    return *this;
}

DrawTarget TevStatic::drawTarget() {
    if (!locked_) {
        throw RuntimeError("drawing", "a control's presentation space must be locked with LockPS");
    }
    return Window::drawTarget();
}

std::optional<SizePair> TevStatic::autoSize() const {
    return pictureSize(Type, Caption);
}

void TevStatic::paintLook(Surface& frame, const Region& clip) {
    const DeviceRect area = deviceRect();
    if (Type == static_type::Panel) {
        frame.fillRect(area, PanelFace, clip);
    } else if (Type == static_type::Bitmap) {
        if (const int* id = std::get_if<int>(&Caption)) {
            frame.drawBitmap(loadBitmapResource(*id), area.x, area.y, clip);
        }
    }
}

}  // namespace tev
