#include "tevslid.hpp"

#include <cmath>
#include <string>

#include "tev/application.hpp"
#include "tev/graphics.hpp"
#include "tev/resources.hpp"
#include "tev/runtime_error.hpp"

namespace tev {

// ---------------------------------------------------------------------------------------------
// TevThumb

TevThumb& TevThumb::Init(Window* oParent, Window* oOwner, std::optional<PositionPair> aPos,
                         std::optional<SizePair> aSize, PresParams aPP,
                         std::optional<bool> lVisible) {
    TevStatic::Init(oParent, oOwner, aPos, aSize, std::move(aPP), lVisible);
    AutoSize = true;
    Vertical = false;
    return *this;
}

TevThumb& TevThumb::Create(Window* oParent, Window* oOwner, std::optional<PositionPair> aPos,
                           std::optional<SizePair> aSize, PresParams aPP,
                           std::optional<bool> lVisible) {
    Type = static_type::Bitmap;
    Caption = RaisedKnobBitmap;
    lHasCapture = false;
    TevStatic::Create(oParent, oOwner, aPos, aSize, std::move(aPP), lVisible);
    return *this;
}

Window& TevThumb::LbDown(PositionPair aPos) {
    // A second press during a drag repeats every step, and reports a second begin-track.
    CaptureMouse(true);
    lHasCapture = true;
    setCaption(PressedKnobBitmap);
    InvalidateRect();
    if (Window* parent = SetParent()) {
        parent->HandleEvent(SliderBeginTrackEvent, aPos);
    }
    return *this;
}

Window& TevThumb::LbUp(PositionPair aPos) {
    if (lHasCapture) {
        CaptureMouse(false);
        lHasCapture = false;
        setCaption(RaisedKnobBitmap);
        InvalidateRect();
        if (Window* parent = SetParent()) {
            parent->HandleEvent(SliderEndTrackEvent, aPos);
        }
    }
    return *this;
}

Window& TevThumb::lbClick(PositionPair aPos) {
    // The release and the click of one press come in either order; whichever comes first
    // ends the drag and the other finds nothing to end.
    if (lHasCapture) {
        LbUp(aPos);
    }
    return *this;
}

Window& TevThumb::Motion(PositionPair aPos) {
    const PositionPair aMyPos = CurrentPos();
    if (!lHasCapture) {
        return TevStatic::Motion(aPos);
    }
    // The pointer in the parent's coordinates: the thumb's origin plus the position in it.
    aPos.x += aMyPos.x;
    aPos.y += aMyPos.y;
    if (Window* parent = SetParent()) {
        parent->HandleEvent(SliderPositionEvent, aPos);
    }
    return *this;
}

// ---------------------------------------------------------------------------------------------
// TevSlider: creation

TevSlider& TevSlider::Init(Window* oParent, Window* oOwner, std::optional<PositionPair> aPos,
                           std::optional<SizePair> aSize, PresParams aPP,
                           std::optional<bool> lVisible) {
    if (!aSize) {
        aSize = SizePair{20, 100};
    }
    if (!lVisible) {
        lVisible = true;
    }
    TevStatic::Init(oParent, oOwner, aPos, aSize, std::move(aPP), lVisible);
    Type = static_type::Panel;
    // Painting the track never draws over the thumb.
    ClipChildren = true;
    visible = *lVisible;
    Size = *aSize;
    Vertical = false;
    Ticks = 10;
    Thumb = TevThumb::New(this);
    Thumb->AutoSize = true;
    return *this;
}

TevSlider& TevSlider::Create(Window* oParent, Window* oOwner, std::optional<PositionPair> aPos,
                             std::optional<SizePair> aSize, PresParams aPP,
                             std::optional<bool> lVisible) {
    if (!aSize) {
        aSize = Size;
    }
    if (!lVisible) {
        lVisible = visible;
    }
    // The tick spacing divides by Ticks - 1: fewer than two ticks have no track to lay out.
    if (Ticks < 2) {
        throw RuntimeError("Create",
                           "a slider needs at least 2 ticks, Ticks is " + std::to_string(Ticks));
    }
    if (!Thumb) {
        throw RuntimeError("Create", "the slider has not been initialised (make it with New)");
    }
    // The slider is made hidden and shown only once the thumb is in its final place.
    TevStatic::Create(oParent, oOwner, aPos, aSize, std::move(aPP), false);
    Thumb->Create(this, this);

    const SizePair thumbSize = Thumb->CurrentSize();
    if (Vertical) {
        Thumb->SetPos({aSize->width / 2 - thumbSize.width / 2, 10});
    } else {
        Thumb->SetPos({10, aSize->height / 2 - thumbSize.height / 2});
    }

    // The ticks lie SliderSize / (Ticks - 1) apart from 10 to 10 + SliderSize, in real
    // arithmetic: a 100 pixel slider with ten ticks has them 8.888... apart.
    SliderSize = (Vertical ? aSize->height : aSize->width) - 20.0;
    TickPositions.emplace(static_cast<std::size_t>(Ticks));
    const double spacing = *SliderSize / (Ticks - 1);
    for (int i = 1; i <= Ticks; ++i) {
        (*TickPositions)[static_cast<std::size_t>(i - 1)] = 10 + (i - 1) * spacing;
    }

    SetEditBuffer(1);
    if (*lVisible) {
        Show();
    }
    return *this;
}

// ---------------------------------------------------------------------------------------------
// TevSlider: value and thumb placement

void TevSlider::checkTickIndex(int nIndex, const char* operation) const {
    if (!TickPositions) {
        throw RuntimeError(operation, "the slider has not been created");
    }
    // Ticks may have been changed after Create; an index must stay on the track laid out then.
    const int last = std::min(Ticks, static_cast<int>(TickPositions->size()));
    if (nIndex < 1 || nIndex > last) {
        throw RuntimeError(operation, "tick index " + std::to_string(nIndex) + " is outside 1 to " +
                                          std::to_string(last));
    }
}

TevSlider& TevSlider::SetEditBuffer(int nIndex) {
    checkTickIndex(nIndex, "SetEditBuffer");
    SetThumb(nIndex);
    return *this;
}

std::optional<int> TevSlider::EditBuffer() const {
    return ThumbPos;
}

TevSlider& TevSlider::SetThumb(int nIndex) {
    checkTickIndex(nIndex, "SetThumb");
    const SizePair size = CurrentSize();
    const SizePair thumbSize = Thumb->CurrentSize();
    const double tick = (*TickPositions)[static_cast<std::size_t>(nIndex - 1)];
    // Centred on the tick along the track, on the slider's middle line across it.
    if (Vertical) {
        Thumb->SetPos({size.width / 2 - thumbSize.width / 2, tick - thumbSize.height / 2});
    } else {
        Thumb->SetPos({tick - thumbSize.width / 2, size.height / 2 - thumbSize.height / 2});
    }
    ThumbPos = nIndex;
    return *this;
}

// ---------------------------------------------------------------------------------------------
// TevSlider: events

int TevSlider::tickAt(const PositionPair& pos) const {
    // The track from 10 to 10 + SliderSize is cut into Ticks equal cells, SliderSize / Ticks
    // wide, and a position selects the tick of its cell. The tick marks are SliderSize /
    // (Ticks - 1) apart, so this is not always the nearest mark: with cells 8 wide and marks
    // 8.89 apart, x = 25 lies in cell 2 although mark 3 (27.8) is nearer.
    //
    // The arithmetic stays in doubles until the index is clamped: a zero-length track gives
    // an infinite or undefined quotient, which the clamps turn into the first or last tick.
    const double cellWidth = *SliderSize / Ticks;
    const double along = Vertical ? pos.y : pos.x;
    double index = std::trunc((along - 10) / cellWidth) + 1;
    if (!(index >= 1)) {
        index = 1;
    }
    if (index > Ticks) {
        index = Ticks;
    }
    return static_cast<int>(index);
}

Window& TevSlider::HandleEvent(EventCode nEvent, const MessageParam& mp1, const MessageParam& mp2) {
    SliderCallback* slot = nullptr;
    TevSlider& (TevSlider::*method)(const MessageParam&, const MessageParam&) = nullptr;
    switch (nEvent) {
        case SliderPositionEvent: {
            const PositionPair pos = mp1.asPosition("slider position event");
            if (!SliderSize) {
                throw RuntimeError("slider position event", "the slider has not been created");
            }
            const int nIndex = tickAt(pos);
            PostAppEvent(SliderTrackEvent, nIndex, {}, this);
            SetThumb(nIndex);
            return *this;
        }
        case SliderBeginTrackEvent:
            slot = &BeginTrack;
            method = &TevSlider::OnBeginTrack;
            break;
        case SliderEndTrackEvent:
            slot = &EndTrack;
            method = &TevSlider::OnEndTrack;
            break;
        case SliderTrackEvent:
            slot = &Track;
            method = &TevSlider::OnTrack;
            break;
        default:
            return TevStatic::HandleEvent(nEvent, mp1, mp2);
    }
    if (*slot) {
        // A copy, so a callback that stores a new callback in its own slot finishes safely.
        const SliderCallback callback = *slot;
        callback(mp1, mp2, *this);
    }
    (this->*method)(mp1, mp2);
    return TevStatic::HandleEvent(nEvent, mp1, mp2);
}

Window& TevSlider::LbDown(PositionPair aPos) {
    return HandleEvent(SliderPositionEvent, aPos);
}

TevSlider& TevSlider::OnBeginTrack(const MessageParam&, const MessageParam&) {
    return *this;
}
TevSlider& TevSlider::OnEndTrack(const MessageParam&, const MessageParam&) {
    return *this;
}
TevSlider& TevSlider::OnTrack(const MessageParam&, const MessageParam&) {
    return *this;
}

// ---------------------------------------------------------------------------------------------
// TevSlider: painting

Window& TevSlider::Paint(const Rect& aRect) {
    PresSpace& oPS = graLockPS(*this, aRect);
    try {
        const SizePair size = CurrentSize();
        const double w = size.width;
        const double h = size.height;
        const double c = w / 2;
        const double m = h / 2;
        const int tickCount = TickPositions ? static_cast<int>(TickPositions->size()) : 0;
        // An engraved groove: the dark line A, the light line B one pixel right and below it,
        // then a short dark tick line on the side of smaller x (vertical) or y (horizontal).
        if (Vertical) {
            GraSetColor(oPS, 1);
            GraLine(oPS, {c, 10}, {c, h - 10});
            GraSetColor(oPS, 0);
            GraLine(oPS, {c + 1, 9}, {c + 1, h - 11});
            GraSetColor(oPS, 1);
            for (int i = 1; i <= Ticks && i <= tickCount; ++i) {
                const double p = (*TickPositions)[static_cast<std::size_t>(i - 1)];
                GraLine(oPS, {c - 4, p}, {c - 8, p});
            }
        } else {
            GraSetColor(oPS, 1);
            GraLine(oPS, {10, m}, {w - 11, m});
            GraSetColor(oPS, 0);
            GraLine(oPS, {11, m - 1}, {w - 10, m - 1});
            GraSetColor(oPS, 1);
            for (int i = 1; i <= Ticks && i <= tickCount; ++i) {
                const double p = (*TickPositions)[static_cast<std::size_t>(i - 1)];
                GraLine(oPS, {p, m - 4}, {p, m - 8});
            }
        }
    } catch (...) {
        graUnlockPS(*this, oPS);
        throw;
    }
    graUnlockPS(*this, oPS);
    return *this;
}

// ---------------------------------------------------------------------------------------------
// Presentation-space lock with clipping

PresSpace& graLockPS(TevStatic& oTev, const Rect& aClip) {
    PresSpace& oPS = oTev.LockPS();
    GraPathBegin(oPS);
    GraBox(oPS, {aClip.x1 - 1, aClip.y1 - 1}, {aClip.x2 + 1, aClip.y2 + 1}, 2);
    GraPathEnd(oPS);
    GraPathClip(oPS, true);
    return oPS;
}

TevStatic& graUnlockPS(TevStatic& oTev, PresSpace& oPS) {
    GraPathClip(oPS, false);
    oTev.UnlockPS();
    return oTev;
}

}  // namespace tev
