// Tests the example's slider inside the test's own process: an application on the offscreen
// backend, input pushed into the same event queue a program reads, events dispatched the way
// an event loop does, and the frame read back as pixels. Each case records the callbacks in
// the order they fire, with their arguments.

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "drag_counting_slider.hpp"
#include "offscreen_backend.hpp"
#include "tev/application.hpp"
#include "tev/resources.hpp"
#include "tev/tev_crt.hpp"
#include "tevslid.hpp"

namespace {

using tev::MessageParam;
using tev::PointerInput;

// The example's slider: window position {60, 40}, 40 x 300, vertical, 5 ticks at 10, 80,
// 150, 220 and 290 pixels from its bottom edge. Its knob, 16 x 16, stands centred on a tick.
constexpr tev::PositionPair kSliderPos{60, 40};
constexpr tev::SizePair kSliderSize{40, 300};
constexpr int kTicks = 5;
constexpr double kTickOffsets[kTicks] = {10, 80, 150, 220, 290};

// The device row (top-left origin) of a window y (bottom-left origin).
int deviceRow(double windowY) {
    return tev::TevCrt::PixelHeight - 1 - static_cast<int>(windowY);
}

// One step of a case: input for the queue, or a dispatch of everything queued so far.
struct Step {
    enum class Kind { Press, Move, Release, Dispatch };
    Kind kind;
    int x = 0;
    int y = 0;
};
Step press(int x, int y) {
    return {Step::Kind::Press, x, y};
}
Step move(int x, int y) {
    return {Step::Kind::Move, x, y};
}
Step release(int x, int y) {
    return {Step::Kind::Release, x, y};
}
constexpr Step dispatch{Step::Kind::Dispatch};

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> calls;
    int dragsFinished;
    int value;
};

// The knob of tick 3, where the slider starts, is centred at device pixel (80, 209); tick 5
// lies at y = 69, tick 2 at y = 279.
const std::vector<Case> kCases = {
    {"a drag, each action handled before the next",
     {press(80, 209), dispatch, move(80, 180), dispatch, move(80, 69), dispatch, release(80, 69),
      dispatch},
     {"BeginTrack {8, 8}", "Track 4", "Track 5", "EndTrack {8, 8} after 0 drags"},
     1,
     5},
    // Track events go through the queue, behind the input already there: a drag that arrives
    // in one burst reports EndTrack before the Track events of its movements.
    {"a drag that arrives in one burst",
     {press(80, 209), move(80, 180), move(80, 69), release(80, 69), dispatch},
     {"BeginTrack {8, 8}", "EndTrack {8, 8} after 0 drags", "Track 4", "Track 5"},
     1,
     5},
    {"a press on the track", {press(80, 279), release(80, 279), dispatch}, {"Track 2"}, 0, 2},
    // While the knob holds the mouse, the pointer may leave the window; the tick stays on the
    // track and the release is still reported, in the knob's coordinates.
    {"a drag beyond both ends of the track",
     {press(80, 209), dispatch, move(80, -50), dispatch, move(80, 600), dispatch, release(80, 600),
      dispatch},
     {"BeginTrack {8, 8}", "Track 5", "Track 1", "EndTrack {8, -243} after 0 drags"},
     1,
     1},
};

void dispatchAll(tev::Application& app) {
    while (app.hasPending()) {
        MessageParam mp1;
        MessageParam mp2;
        tev::Window* target = nullptr;
        const tev::EventCode code = app.next(mp1, mp2, target);
        target->HandleEvent(code, mp1, mp2);
    }
}

// Whether the frame shows the raised knob centred on tick `tick`; otherwise says where not.
bool knobShownOn(const tev::Surface& frame, int tick, std::string& problem) {
    const tev::Bitmap& knob = tev::loadBitmapResource(tev::RaisedKnobBitmap);
    const double centreY = kSliderPos.y + kTickOffsets[tick - 1];
    const int left = static_cast<int>(kSliderPos.x + kSliderSize.width / 2) - knob.width / 2;
    const int top = deviceRow(centreY + knob.height / 2 - 1);
    for (int y = 0; y < knob.height; ++y) {
        for (int x = 0; x < knob.width; ++x) {
            if (frame.rgbAt(left + x, top + y).packed() != knob.at(x, y)) {
                problem = "the knob of tick " + std::to_string(tick) +
                          " differs at device pixel (" + std::to_string(left + x) + ", " +
                          std::to_string(top + y) + ")";
                return false;
            }
        }
    }
    return true;
}

bool runCase(const Case& test) {
    tev::Application app("slider_example_test", std::make_unique<tev::OffscreenBackend>());
    const auto oSlider = tev::New<DragCountingSlider>(nullptr, nullptr, kSliderPos, kSliderSize);
    oSlider->Vertical = true;
    oSlider->Ticks = kTicks;
    oSlider->Create();
    oSlider->SetEditBuffer(3);

    std::vector<std::string> calls;
    oSlider->BeginTrack = [&](const MessageParam& mp1, const MessageParam&, tev::TevSlider&) {
        calls.push_back("BeginTrack " + tev::toString(mp1.asPosition("BeginTrack")));
    };
    oSlider->Track = [&](const MessageParam& mp1, const MessageParam&, tev::TevSlider&) {
        calls.push_back("Track " + std::to_string(static_cast<int>(mp1.asNumber("Track"))));
    };
    // The callback runs before the overridden OnEndTrack: it still sees the old count.
    oSlider->EndTrack = [&](const MessageParam& mp1, const MessageParam&, tev::TevSlider&) {
        calls.push_back("EndTrack " + tev::toString(mp1.asPosition("EndTrack")) + " after " +
                        std::to_string(oSlider->DragsFinished()) + " drags");
    };

    for (const Step& step : test.steps) {
        switch (step.kind) {
            case Step::Kind::Press:
                app.pushInput({PointerInput::Kind::Press, step.x, step.y});
                break;
            case Step::Kind::Move:
                app.pushInput({PointerInput::Kind::Move, step.x, step.y});
                break;
            case Step::Kind::Release:
                app.pushInput({PointerInput::Kind::Release, step.x, step.y});
                break;
            case Step::Kind::Dispatch:
                dispatchAll(app);
                break;
        }
    }
    app.repaint();

    std::vector<std::string> problems;
    if (calls != test.calls) {
        std::string text = "calls were:";
        for (const std::string& call : calls) {
            text += " [" + call + "]";
        }
        problems.push_back(text);
    }
    if (oSlider->DragsFinished() != test.dragsFinished) {
        problems.push_back("drags finished " + std::to_string(oSlider->DragsFinished()) +
                           ", expected " + std::to_string(test.dragsFinished));
    }
    if (oSlider->EditBuffer() != test.value) {
        problems.push_back("value " + std::to_string(oSlider->EditBuffer().value_or(0)) +
                           ", expected " + std::to_string(test.value));
    }
    if (std::string problem; !knobShownOn(app.frame(), test.value, problem)) {
        problems.push_back(problem);
    }

    for (const std::string& problem : problems) {
        std::cerr << "FAILED " << test.name << ": " << problem << "\n";
    }
    return problems.empty();
}

}  // namespace

int main() {
    int passed = 0;
    int failed = 0;
    for (const Case& test : kCases) {
        (runCase(test) ? passed : failed) += 1;
    }
    std::cout << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
