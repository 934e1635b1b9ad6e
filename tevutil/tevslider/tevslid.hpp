#pragma once

// The slider control and its knob.
//
// A TevSlider lets the user pick one of `Ticks` evenly spaced positions along a horizontal or
// vertical track by dragging its knob, a TevThumb, or by pressing on the track. Its value is
// the tick index the thumb stands on, counted from 1.
//
// Making a slider takes two steps:
//
//     auto slider = tev::TevSlider::New(nullptr, nullptr, tev::PositionPair{100, 200},
//                                       tev::SizePair{100, 40});
//     slider->Vertical = false;  // settings that shape the geometry go here,
//     slider->Ticks = 5;         // between New and Create
//     slider->Create();          // makes the windows, computes the track, shows the slider
//     slider->Track = [](const tev::MessageParam& mp1, const tev::MessageParam&,
//                        tev::TevSlider&) { use(mp1.asNumber("Track")); };
//
// Between the two steps the owner sets Vertical, Ticks and TevStatic's settings; Create may be
// given another position, size or visibility than New. Create lays the track out once, so
// Vertical, Ticks and the size must not change after it. The callbacks may be stored or
// replaced at any time, also from inside a callback. A class derived from TevSlider is made
// with tev::New<Derived>(...), which runs its Init.
//
// Callbacks and methods. The owner of a slider assigns callbacks to the slots BeginTrack,
// EndTrack and Track; a class derived from TevSlider overrides the methods OnBeginTrack,
// OnEndTrack and OnTrack instead (a slot and its method share one name in the design; C++
// gives the methods the prefix "On"). For each notification the callback runs first (when
// one is stored), then the method, then TevStatic's handling.
//
//     slot        fires when                               mp1
//     BeginTrack  the left button is pressed on the thumb  press position, thumb coordinates
//     Track       a track event is fetched from the queue  the tick index, 1 to Ticks
//     EndTrack    the button is released after that press  release position, thumb coordinates
//
// mp2 is always unset; the third argument of a callback is the slider. BeginTrack and
// EndTrack run inside the mouse handling; Track runs later, from the event loop, after the
// thumb has been placed: every pointer movement of a drag and every press on the track posts
// one track event. Track events still queued when the release is handled come after EndTrack.
// A drag that the system interrupts still ends with exactly one EndTrack.
//
// Errors: Create with Ticks below 2 or a second time, SetEditBuffer or SetThumb before Create
// or with an index outside 1 to Ticks, and a position event without a position pair or before
// Create raise a tev::RuntimeError naming the operation and the value. An error raised in a
// callback or an override leaves through HandleEvent to the event loop, and from there to the
// default error handler (status 1). Testing without a display: docs/slider.md.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "tev/event_codes.hpp"
#include "tev/message_param.hpp"
#include "tev/pres_space.hpp"
#include "tev/tev_static.hpp"

namespace tev {

class TevSlider;

// The slider's event codes. The position and the two tracking codes are direct calls of
// HandleEvent between thumb and slider; the track event travels through the event queue.
inline constexpr EventCode SliderPositionEvent = 0x08000001;
inline constexpr EventCode SliderBeginTrackEvent = 0x08000005;
inline constexpr EventCode SliderEndTrackEvent = 0x08000006;
inline constexpr EventCode SliderTrackEvent = 0x08000007;

// A callback stored in a slot: called with mp1, mp2 and the slider; an empty one is skipped.
using SliderCallback =
    std::function<void(const MessageParam& mp1, const MessageParam& mp2, TevSlider& slider)>;

// The knob of a slider: shows the raised knob (bitmap 1003), holds the mouse capture from a
// press to its release while showing the pressed knob (bitmap 1004), and reports the press,
// every movement of the drag and the release to its parent by calling the parent's
// HandleEvent. It never moves itself; the slider places it.
class TevThumb : public TevStatic {
  public:
    // Not read by anything: the slider's own Vertical decides the axis.
    bool Vertical = false;
    // True from a press on the thumb until the matching release or click.
    bool lHasCapture = false;

    static std::unique_ptr<TevThumb> New(Window* oParent = nullptr, Window* oOwner = nullptr,
                                         std::optional<PositionPair> aPos = std::nullopt,
                                         std::optional<SizePair> aSize = std::nullopt,
                                         PresParams aPP = {},
                                         std::optional<bool> lVisible = std::nullopt) {
        return tev::New<TevThumb>(oParent, oOwner, aPos, aSize, std::move(aPP), lVisible);
    }

    TevThumb& Init(Window* oParent = nullptr, Window* oOwner = nullptr,
                   std::optional<PositionPair> aPos = std::nullopt,
                   std::optional<SizePair> aSize = std::nullopt, PresParams aPP = {},
                   std::optional<bool> lVisible = std::nullopt) override;
    TevThumb& Create(Window* oParent = nullptr, Window* oOwner = nullptr,
                     std::optional<PositionPair> aPos = std::nullopt,
                     std::optional<SizePair> aSize = std::nullopt, PresParams aPP = {},
                     std::optional<bool> lVisible = std::nullopt) override;

    Window& LbDown(PositionPair aPos) override;
    Window& LbUp(PositionPair aPos) override;
    Window& lbClick(PositionPair aPos) override;
    Window& Motion(PositionPair aPos) override;
};

class TevSlider : public TevStatic {
  public:
    // Orientation: false, the track runs along x; true, along y. Set before Create.
    bool Vertical = false;
    // The number of tick positions, at least 2. Set before Create.
    int Ticks = 10;
    // The owner's callback slots (see the top of this file).
    SliderCallback BeginTrack;
    SliderCallback EndTrack;
    SliderCallback Track;

    static std::unique_ptr<TevSlider> New(Window* oParent = nullptr, Window* oOwner = nullptr,
                                          std::optional<PositionPair> aPos = std::nullopt,
                                          std::optional<SizePair> aSize = std::nullopt,
                                          PresParams aPP = {},
                                          std::optional<bool> lVisible = std::nullopt) {
        return tev::New<TevSlider>(oParent, oOwner, aPos, aSize, std::move(aPP), lVisible);
    }

    // Sets up the object and its thumb object; no window yet. An unset size is {20, 100}, an
    // unset visibility true.
    TevSlider& Init(Window* oParent = nullptr, Window* oOwner = nullptr,
                    std::optional<PositionPair> aPos = std::nullopt,
                    std::optional<SizePair> aSize = std::nullopt, PresParams aPP = {},
                    std::optional<bool> lVisible = std::nullopt) override;
    // Makes the slider's window (hidden) and the thumb's, computes the track from the size of
    // this call (or the size given to Init), puts the thumb on tick 1 and then shows the
    // slider unless lVisible (or Init's visibility) is false.
    TevSlider& Create(Window* oParent = nullptr, Window* oOwner = nullptr,
                      std::optional<PositionPair> aPos = std::nullopt,
                      std::optional<SizePair> aSize = std::nullopt, PresParams aPP = {},
                      std::optional<bool> lVisible = std::nullopt) override;

    // The position event and the three tracking events; every other code goes to TevStatic.
    Window& HandleEvent(EventCode nEvent, const MessageParam& mp1 = {},
                        const MessageParam& mp2 = {}) override;
    // Draws the groove and the tick marks, cut to aRect grown by one pixel.
    Window& Paint(const Rect& aRect) override;
    // A press on the track: the thumb jumps to the pressed cell's tick.
    Window& LbDown(PositionPair aPos) override;

    // The overridable methods of the three slots; by default they do nothing.
    virtual TevSlider& OnBeginTrack(const MessageParam& mp1, const MessageParam& mp2);
    virtual TevSlider& OnEndTrack(const MessageParam& mp1, const MessageParam& mp2);
    virtual TevSlider& OnTrack(const MessageParam& mp1, const MessageParam& mp2);

    // Sets the value: puts the thumb on tick nIndex (1 to Ticks). Calls no callback and posts
    // no event; to have Track follow, post SliderTrackEvent with the index to the slider.
    virtual TevSlider& SetEditBuffer(int nIndex);
    // The value: the tick the thumb stands on; unset before Create.
    virtual std::optional<int> EditBuffer() const;
    // Centres the thumb on tick nIndex and records the index as the value.
    virtual TevSlider& SetThumb(int nIndex);

  protected:
    // The size asked for at Init; Create uses it when called without a size.
    SizePair Size{20, 100};
    // The offset of each tick from the slider's origin along the track; tick i (counted from
    // 1) is TickPositions[i - 1]. Computed by Create.
    std::optional<std::vector<double>> TickPositions;
    // The usable length of the track: the extent along the axis at Create less two margins of
    // 10 pixels. Computed by Create.
    std::optional<double> SliderSize;
    // The tick index the thumb stands on: the value.
    std::optional<int> ThumbPos;

  private:
    // The tick whose cell holds a position along the track.
    int tickAt(const PositionPair& pos) const;
    void checkTickIndex(int nIndex, const char* operation) const;

    std::unique_ptr<TevThumb> Thumb;
};

// Locks a control's presentation space with all drawing confined to aClip grown by one pixel
// on every side; answers the presentation space.
PresSpace& graLockPS(TevStatic& oTev, const Rect& aClip);
// Lifts the confinement and gives the presentation space back; answers the control.
TevStatic& graUnlockPS(TevStatic& oTev, PresSpace& oPS);

}  // namespace tev
