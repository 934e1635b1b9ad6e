#include "mixer_soak.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <utility>

#include "tev/application.hpp"
#include "tev/resources.hpp"
#include "tev/surface.hpp"
#include "tev/tev_crt.hpp"

namespace tev::testing {

namespace {

constexpr const char* kSliderNames[] = {"red", "green", "blue"};

// Where RGB paints the swatch: window pixels {300, 100} to {550, 240}, both corners included,
// as device pixels (top-left origin).
constexpr DeviceRect kSwatch{300, TevCrt::PixelHeight - 1 - 240, 251, 141};

// Pointer positions beyond the window reach this far, as far as a replay file allows.
constexpr int kFarOutside = 1 << 20;

// The platform's rounding of real coordinates to pixels, restated here so the checks do not
// lean on the code they check.
int pixelOf(double value) {
    return static_cast<int>(std::floor(value + 0.5));
}

std::string hexColor(std::uint32_t packed) {
    char text[16];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(packed));
    return text;
}

// A stream rather than string sums: GCC 12 warns spuriously about overlapping copies in
// "(" + std::to_string(x).
std::string at(int x, int y) {
    std::ostringstream text;
    text << "(" << x << ", " << y << ")";
    return text.str();
}

bool contains(const DeviceRect& area, int x, int y) {
    return x >= area.x && x < area.x + area.width && y >= area.y && y < area.y + area.height;
}

}  // namespace

MixerSoak::MixerSoak(std::uint64_t seed, long actionCount, OffscreenBackend& backend)
    : seed_(seed), actionCount_(actionCount), backend_(backend), random_(seed) {}

void MixerSoak::start() {
    backend_.addFrameAction([this](const Surface& frame) { step(frame); });
}

void MixerSoak::step(const Surface& frame) {
    if (!attached_) {
        attachToMixer();
    }
    checkInvariants(frame);
    if (totals_.actions < actionCount_) {
        queue(chooseAction());
        return;
    }
    if (buttonDown_) {
        // The last drag still needs its end: let go of the button where the pointer may be.
        queue(insideWindow(ActionKind::Release));
        return;
    }
    // Nothing more is queued: the script runs out and the backend closes the window.
}

void MixerSoak::attachToMixer() {
    attached_ = true;
    int found = 0;
    for (Window* child : SetAppWindow().children()) {
        auto* slider = dynamic_cast<TevSlider*>(child);
        if (slider == nullptr) {
            continue;
        }
        if (found == 3) {
            fail("the mixer has more than three sliders");
        }
        TevThumb* thumb = slider->children().empty()
                              ? nullptr
                              : dynamic_cast<TevThumb*>(slider->children().front());
        if (thumb == nullptr) {
            fail(std::string("the ") + kSliderNames[found] + " slider has no thumb");
        }
        sliders_[found] = {slider, thumb, false};
        const int index = found;
        slider->BeginTrack = [this, index](const MessageParam&, const MessageParam&, TevSlider&) {
            onBeginTrack(index);
        };
        slider->EndTrack = [this, index](const MessageParam&, const MessageParam&, TevSlider&) {
            onEndTrack(index);
        };
        // The mixer's own Track callback keeps working; the soak only counts the calls.
        slider->Track = [this, track = slider->Track](const MessageParam& mp1,
                                                      const MessageParam& mp2, TevSlider& s) {
            ++totals_.trackCalls;
            if (track) {
                track(mp1, mp2, s);
            }
        };
        ++found;
    }
    if (found != 3) {
        fail("the mixer shows " + std::to_string(found) + " sliders instead of three");
    }
}

void MixerSoak::onBeginTrack(int index) {
    for (int other = 0; other < 3; ++other) {
        if (sliders_[other].dragOpen) {
            fail(std::string("begin-track on the ") + kSliderNames[index] +
                 " slider while the drag of the " + kSliderNames[other] + " slider is open");
        }
    }
    sliders_[index].dragOpen = true;
    ++totals_.beginTracks;
}

void MixerSoak::onEndTrack(int index) {
    if (!sliders_[index].dragOpen) {
        fail(std::string("end-track on the ") + kSliderNames[index] +
             " slider without a begin-track before it");
    }
    sliders_[index].dragOpen = false;
    ++totals_.endTracks;
}

void MixerSoak::checkInvariants(const Surface& frame) {
    const Window* holder = Application::current("soak").captureHolder();
    bool anyDragOpen = false;
    for (int i = 0; i < 3; ++i) {
        const SliderUnderTest& under = sliders_[i];
        const std::string name = std::string("the ") + kSliderNames[i] + " slider";
        const std::optional<int> value = under.slider->EditBuffer();
        if (!value || *value < 1 || *value > under.slider->Ticks) {
            fail(name + " has the value " + (value ? std::to_string(*value) : "unset") +
                 ", outside 1 to " + std::to_string(under.slider->Ticks));
        }
        totals_.valuesSeen[i] |= 1u << *value;
        checkThumb(under, i, frame);
        if (under.thumb->lHasCapture != under.dragOpen) {
            fail(name + (under.dragOpen ? " is in a drag, yet its thumb has no capture"
                                        : " is not in a drag, yet its thumb has the capture"));
        }
        if (under.dragOpen) {
            anyDragOpen = true;
            if (holder != under.thumb) {
                fail(name + " is in a drag, yet its thumb does not hold the mouse capture");
            }
            if (!buttonDown_) {
                fail(name + " is still in a drag after the button went up");
            }
        }
    }
    if (!anyDragOpen && holder != nullptr) {
        fail("a window holds the mouse capture although no drag is open");
    }
    // Every pixel of the swatch now and then; its corners and middle after every action.
    checkSwatch(frame, totals_.actions % 1000 == 0);
}

void MixerSoak::checkThumb(const SliderUnderTest& under, int index, const Surface& frame) {
    const TevSlider& slider = *under.slider;
    const int value = *slider.EditBuffer();
    const SizePair size = slider.CurrentSize();
    const SizePair thumbSize = under.thumb->CurrentSize();
    // Tick `value` as Create lays the ticks out: 10 pixels in, then evenly over the track of
    // the width less two margins of 10, in real arithmetic.
    const double trackLength = size.width - 20.0;
    const double tick = 10 + (value - 1) * (trackLength / (slider.Ticks - 1));
    const PositionPair expected{tick - thumbSize.width / 2, size.height / 2 - thumbSize.height / 2};
    const std::string name = std::string("the ") + kSliderNames[index] + " thumb";
    if (!(under.thumb->CurrentPos() == expected)) {
        fail(name + " stands at " + toString(under.thumb->CurrentPos()) + " instead of " +
             toString(expected) + ", centred on tick " + std::to_string(value));
    }

    // On the screen: the knob's picture, raised or pressed, with its top-left pixel where the
    // thumb's corner falls.
    const Bitmap& knob = loadBitmapResource(under.dragOpen ? PressedKnobBitmap : RaisedKnobBitmap);
    const PositionPair sliderPos = slider.CurrentPos();
    const int left = pixelOf(sliderPos.x) + pixelOf(expected.x);
    const int bottomRow = TevCrt::PixelHeight - 1 - pixelOf(sliderPos.y) - pixelOf(expected.y);
    const int top = bottomRow - knob.height + 1;
    for (int row = 0; row < knob.height; ++row) {
        for (int column = 0; column < knob.width; ++column) {
            const std::uint32_t shown = frame.pixel(left + column, top + row);
            if (shown != knob.at(column, row)) {
                fail(name + " on tick " + std::to_string(value) + ": screen pixel " +
                     at(left + column, top + row) + " is " + hexColor(shown) + " instead of " +
                     hexColor(knob.at(column, row)) + " of the " +
                     (under.dragOpen ? "pressed" : "raised") + " knob");
            }
        }
    }
}

void MixerSoak::checkSwatch(const Surface& frame, bool wholeSwatch) {
    std::uint32_t mix = 0;
    std::string values;
    for (const SliderUnderTest& under : sliders_) {
        const int value = *under.slider->EditBuffer();
        // The mixer's component: the tick index times 255 / Ticks; the color table rounds it.
        const double component = value * (255.0 / under.slider->Ticks);
        mix =
            (mix << 8) | static_cast<std::uint32_t>(std::clamp(std::round(component), 0.0, 255.0));
        values += (values.empty() ? "" : ", ") + std::to_string(value);
    }
    auto checkPixel = [&](int x, int y) {
        const std::uint32_t shown = frame.pixel(x, y);
        if (shown != mix) {
            fail("swatch pixel " + at(x, y) + " is " + hexColor(shown) + ", not " + hexColor(mix) +
                 ", the mix of the values " + values);
        }
    };
    const int right = kSwatch.x + kSwatch.width - 1;
    const int bottom = kSwatch.y + kSwatch.height - 1;
    if (wholeSwatch) {
        for (int y = kSwatch.y; y <= bottom; ++y) {
            for (int x = kSwatch.x; x <= right; ++x) {
                checkPixel(x, y);
            }
        }
        return;
    }
    checkPixel(kSwatch.x, kSwatch.y);
    checkPixel(right, kSwatch.y);
    checkPixel(kSwatch.x, bottom);
    checkPixel(right, bottom);
    checkPixel((kSwatch.x + right) / 2, (kSwatch.y + bottom) / 2);
}

MixerSoak::Action MixerSoak::chooseAction() {
    const int roll = below(100);
    if (!buttonDown_) {
        if (roll < 22)
            return onThumb(ActionKind::Press);
        if (roll < 34)
            return onTrack(ActionKind::Press);
        if (roll < 40)
            return offTheSliders(ActionKind::Press);
        if (roll < 48)
            return onThumb(ActionKind::Click);
        if (roll < 58)
            return onTrack(ActionKind::Click);
        if (roll < 62)
            return offTheSliders(ActionKind::Click);
        if (roll < 82)
            return insideWindow(ActionKind::Move);
        if (roll < 90)
            return outsideWindow(ActionKind::Move);
        if (roll < 94)
            return insideWindow(ActionKind::Release);
        if (roll < 98)
            return outsideWindow(ActionKind::Release);
        return {ActionKind::CaptureLost, 0, 0, "the system takes the mouse capture away"};
    }
    if (roll < 50)
        return insideWindow(ActionKind::Move);
    if (roll < 70)
        return outsideWindow(ActionKind::Move);
    if (roll < 85)
        return insideWindow(ActionKind::Release);
    if (roll < 95)
        return outsideWindow(ActionKind::Release);
    return {ActionKind::CaptureLost, 0, 0, "the system takes the mouse capture away"};
}

void MixerSoak::queue(Action action) {
    using Kind = PointerInput::Kind;
    ++totals_.actions;
    if (action.kind == ActionKind::Move) {
        action.description += buttonDown_ ? " with the button down" : " with the button up";
    }
    recent_.push_back(std::to_string(totals_.actions) + ": " + action.description);
    if (recent_.size() > 6) {
        recent_.pop_front();
    }
    switch (action.kind) {
        case ActionKind::Press:
            backend_.addInput({Kind::Press, action.x, action.y});
            buttonDown_ = true;
            break;
        case ActionKind::Click:
            backend_.addInput({Kind::Press, action.x, action.y});
            backend_.addInput({Kind::Release, action.x, action.y});
            break;
        case ActionKind::Move:
            backend_.addInput({Kind::Move, action.x, action.y});
            break;
        case ActionKind::Release:
            backend_.addInput({Kind::Release, action.x, action.y});
            buttonDown_ = false;
            break;
        case ActionKind::CaptureLost:
            backend_.addInput({Kind::CaptureLost, 0, 0});
            break;
    }
    backend_.addFrameAction([this](const Surface& frame) { step(frame); });
}

std::string MixerSoak::whereItStands() const {
    return "seed " + std::to_string(seed_) + ", after action " + std::to_string(totals_.actions);
}

void MixerSoak::fail(const std::string& what) const {
    std::string message =
        whereItStands() + ": " + what + "\n(replay with TEV_SOAK_SEED=" + std::to_string(seed_) +
        " TEV_SOAK_ACTIONS=" + std::to_string(totals_.actions) + ")\nthe last actions:";
    for (const std::string& line : recent_) {
        message += "\n  " + line;
    }
    throw SoakFailure(message);
}

int MixerSoak::below(int count) {
    return static_cast<int>(random_() % static_cast<std::uint64_t>(count));
}

MixerSoak::Action MixerSoak::pointIn(ActionKind kind, const DeviceRect& area,
                                     const std::string& where) {
    Action action{kind, area.x + below(area.width), area.y + below(area.height), {}};
    static constexpr const char* kVerbs[] = {"press", "click", "move", "release", ""};
    action.description =
        std::string(kVerbs[static_cast<int>(kind)]) + " " + where + " at " + at(action.x, action.y);
    return action;
}

MixerSoak::Action MixerSoak::onThumb(ActionKind kind) {
    const int index = below(3);
    return pointIn(kind, sliders_[index].thumb->deviceRect(),
                   std::string("on the ") + kSliderNames[index] + " thumb");
}

MixerSoak::Action MixerSoak::onTrack(ActionKind kind) {
    const int index = below(3);
    const DeviceRect slider = sliders_[index].slider->deviceRect();
    const DeviceRect thumb = sliders_[index].thumb->deviceRect();
    const std::string where = std::string("on the ") + kSliderNames[index] + " track";
    for (;;) {
        Action action = pointIn(kind, slider, where);
        if (!contains(thumb, action.x, action.y)) {
            return action;
        }
    }
}

MixerSoak::Action MixerSoak::offTheSliders(ActionKind kind) {
    for (;;) {
        Action action = pointIn(kind, SetAppWindow().deviceRect(), "off the sliders");
        const bool onASlider = std::any_of(sliders_.begin(), sliders_.end(), [&](const auto& s) {
            return contains(s.slider->deviceRect(), action.x, action.y);
        });
        if (!onASlider) {
            return action;
        }
    }
}

MixerSoak::Action MixerSoak::insideWindow(ActionKind kind) {
    DeviceRect area = SetAppWindow().deviceRect();
    std::string where = "in the window";
    if (below(2) == 0) {
        // Along the rows of one slider, where a drag changes its value most visibly.
        const int index = below(3);
        const DeviceRect slider = sliders_[index].slider->deviceRect();
        area.y = slider.y;
        area.height = slider.height;
        where = std::string("in the rows of the ") + kSliderNames[index] + " slider";
    }
    return pointIn(kind, area, where);
}

MixerSoak::Action MixerSoak::outsideWindow(ActionKind kind) {
    const DeviceRect window = SetAppWindow().deviceRect();
    // Just past an edge, or far away.
    const int reach = below(2) == 0 ? 64 : kFarOutside;
    const int beyond = 1 + below(reach);
    int x = window.x + below(window.width);
    int y = window.y + below(window.height);
    switch (below(4)) {
        case 0:
            x = window.x - beyond;
            break;
        case 1:
            x = window.x + window.width - 1 + beyond;
            break;
        case 2:
            y = window.y - beyond;
            break;
        default:
            y = window.y + window.height - 1 + beyond;
            break;
    }
    Action action = pointIn(kind, {x, y, 1, 1},
                            reach == 64 ? "just outside the window" : "far outside the window");
    return action;
}

}  // namespace tev::testing
