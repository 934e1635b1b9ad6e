#include "offscreen_backend.hpp"

#include "tev/runtime_error.hpp"

namespace tev {

OffscreenBackend& OffscreenBackend::addInput(const PointerInput& input) {
    steps_.emplace_back(input);
    return *this;
}

OffscreenBackend& OffscreenBackend::addPause() {
    steps_.emplace_back(Pause{});
    return *this;
}

OffscreenBackend& OffscreenBackend::addFrameAction(FrameAction action) {
    steps_.emplace_back(std::move(action));
    return *this;
}

void OffscreenBackend::present(const Surface&, const Region& changed) {
    ++framesPresented_;
    pixelsPresented_ += changed.area();
}

void OffscreenBackend::waitForInput(const Surface& frame, std::vector<PointerInput>& input) {
    // Frame actions and pauses ahead of the next input run now: everything before them has
    // been handled and painted.
    while (!steps_.empty() && !std::holds_alternative<PointerInput>(steps_.front())) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        if (FrameAction* action = std::get_if<FrameAction>(&step)) {
            (*action)(frame);
        }
    }
    while (!steps_.empty() && std::holds_alternative<PointerInput>(steps_.front())) {
        input.push_back(std::get<PointerInput>(steps_.front()));
        steps_.pop_front();
    }
    if (!input.empty()) {
        return;
    }
    if (closeSent_) {
        throw RuntimeError("AppEvent",
                           "the offscreen session has ended, yet the program waits for more input");
    }
    closeSent_ = true;
    input.push_back({PointerInput::Kind::Close, 0, 0});
}

}  // namespace tev
