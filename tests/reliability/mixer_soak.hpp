#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <random>
#include <stdexcept>
#include <string>

#include "offscreen_backend.hpp"
#include "tev/region.hpp"
#include "tevslid.hpp"

namespace tev::testing {

// An invariant of the color mixer broke during a soak; the message names the seed and the
// number of the action after which it broke, so the run can be replayed.
class SoakFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A long random session of the color mixer: the program's own Main, on the offscreen backend,
// gets one random mouse action at a time, and after each one, once the program has handled
// it and the queue has drained, the soak checks the mixer's invariants:
//
//   - every value lies in 1 to Ticks, and every thumb stands exactly on the tick of its
//     slider's value, both as a position and as pixels on the screen (the raised knob, or the
//     pressed one during its drag);
//   - begin-track and end-track strictly alternate, with exactly one end for each begin, and a
//     drag is open exactly while its thumb holds the mouse capture and the button is down;
//   - the swatch shows the mix of the three current values.
//
// The actions are chosen from the live state (a press on a thumb must hit the thumb where it
// stands now), so each is queued by the check of the one before, as a frame action of the
// backend's script. The mouse is modelled as a real one: the button goes down only when it
// is up, and a drag may end by a release anywhere, or by the system taking the capture away.
class MixerSoak {
  public:
    struct Totals {
        long actions = 0;
        long beginTracks = 0;
        long endTracks = 0;
        long trackCalls = 0;
        // For each slider, which values it stood on at some check (bit v for value v).
        std::array<std::uint32_t, 3> valuesSeen{};
    };

    MixerSoak(std::uint64_t seed, long actionCount, OffscreenBackend& backend);

    // Puts the first check into the backend's script; run Main afterwards.
    void start();
    const Totals& totals() const { return totals_; }
    // "seed S, after action N", for messages about errors the soak did not raise itself.
    std::string whereItStands() const;

  private:
    enum class ActionKind { Press, Click, Move, Release, CaptureLost };
    struct Action {
        ActionKind kind;
        int x = 0;
        int y = 0;
        std::string description;
    };
    struct SliderUnderTest {
        TevSlider* slider = nullptr;
        TevThumb* thumb = nullptr;
        bool dragOpen = false;
    };

    // The frame action: checks the invariants, then queues the next action and itself.
    void step(const Surface& frame);
    void attachToMixer();
    void checkInvariants(const Surface& frame);
    void checkThumb(const SliderUnderTest& under, int index, const Surface& frame);
    void checkSwatch(const Surface& frame, bool wholeSwatch);
    void onBeginTrack(int index);
    void onEndTrack(int index);

    Action chooseAction();
    void queue(Action action);
    [[noreturn]] void fail(const std::string& what) const;

    // Random choices: a whole number in [0, count), and points on the parts of the window.
    int below(int count);
    Action pointIn(ActionKind kind, const DeviceRect& area, const std::string& where);
    Action onThumb(ActionKind kind);
    Action onTrack(ActionKind kind);
    Action offTheSliders(ActionKind kind);
    Action insideWindow(ActionKind kind);
    Action outsideWindow(ActionKind kind);

    std::uint64_t seed_;
    long actionCount_;
    OffscreenBackend& backend_;
    std::mt19937_64 random_;
    std::array<SliderUnderTest, 3> sliders_{};
    bool attached_ = false;
    bool buttonDown_ = false;
    // The last few actions, for the failure message.
    std::deque<std::string> recent_;
    Totals totals_;
};

}  // namespace tev::testing
