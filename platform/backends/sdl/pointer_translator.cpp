#include "pointer_translator.hpp"

namespace tev {

int PointerTranslator::unscale(int value) const {
    return value >= 0 ? value / scale_ : -((-value + scale_ - 1) / scale_);
}

void PointerTranslator::press(int windowX, int windowY, std::vector<PointerInput>& batch) {
    leftButtonDown_ = true;
    batch.push_back({PointerInput::Kind::Press, unscale(windowX), unscale(windowY)});
}

void PointerTranslator::release(int windowX, int windowY, std::vector<PointerInput>& batch) {
    // A release after a CaptureLost is still reported: it reaches whatever lies under the
    // pointer, as any release without a drag does, and ends nothing a second time.
    leftButtonDown_ = false;
    batch.push_back({PointerInput::Kind::Release, unscale(windowX), unscale(windowY)});
}

void PointerTranslator::motion(int windowX, int windowY, bool leftButtonHeld,
                               std::vector<PointerInput>& batch) {
    if (leftButtonDown_ && !leftButtonHeld) {
        // The release went somewhere else (another program grabbed the pointer, or the
        // system dropped the event): the drag is over all the same.
        reportCaptureLost(batch);
    }
    const PointerInput move{PointerInput::Kind::Move, unscale(windowX), unscale(windowY)};
    if (!batch.empty() && batch.back().kind == PointerInput::Kind::Move) {
        batch.back() = move;
    } else {
        batch.push_back(move);
    }
}

void PointerTranslator::closeRequested(std::vector<PointerInput>& batch) {
    batch.push_back({PointerInput::Kind::Close, 0, 0});
}

void PointerTranslator::mouseTakenAway(std::vector<PointerInput>& batch) {
    // The capture may not be held yet while its press still waits in this batch, so a press
    // without a release counts as a drag under way as well.
    if (leftButtonDown_ || captureHeld_) {
        reportCaptureLost(batch);
    }
}

void PointerTranslator::captureChanged(bool held) {
    captureHeld_ = held;
}

void PointerTranslator::reportCaptureLost(std::vector<PointerInput>& batch) {
    // Once per drag: both flags are cleared here, and only a new press or a new capture can
    // set them again.
    leftButtonDown_ = false;
    captureHeld_ = false;
    batch.push_back({PointerInput::Kind::CaptureLost, 0, 0});
}

}  // namespace tev
