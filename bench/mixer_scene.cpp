#include "mixer_scene.hpp"

#include "slidrgb.hpp"
#include "tev/tev_crt.hpp"

namespace tev::bench {

namespace {

// The mixer's layout: the red slider's window position and size, and the swatch corners.
constexpr PositionPair kRedPos{100, 200};
constexpr SizePair kSliderSize{100, 40};
constexpr int kTicks = 10;

std::unique_ptr<TevSlider> makeSlider(PositionPair pos, double& component, double& red,
                                      double& green, double& blue, int startTick) {
    std::unique_ptr<TevSlider> slider = TevSlider::New(nullptr, nullptr, pos, kSliderSize);
    slider->Create();
    slider->Track = [&component, &red, &green, &blue](const MessageParam& mp1, const MessageParam&,
                                                      TevSlider& oTev) {
        component = mp1.asNumber("Track") * (255.0 / oTev.Ticks);
        RGB(red, green, blue);
    };
    slider->SetEditBuffer(startTick);
    PostAppEvent(SliderTrackEvent, startTick, {}, slider.get());
    return slider;
}

}  // namespace

MixerScene::MixerScene() {
    SetColor("N/W");
    Scroll();
    SetPos(0, 0);
    red_ = makeSlider(kRedPos, redComponent_, redComponent_, greenComponent_, blueComponent_, 1);
    green_ =
        makeSlider({100, 150}, greenComponent_, redComponent_, greenComponent_, blueComponent_, 5);
    blue_ =
        makeSlider({100, 100}, blueComponent_, redComponent_, greenComponent_, blueComponent_, 10);
}

int MixerScene::redTrackX(int tick, int offset) {
    // The track's cells start 10 pixels into the slider and are SliderSize / Ticks wide.
    const int cellWidth = (static_cast<int>(kSliderSize.width) - 20) / kTicks;
    return static_cast<int>(kRedPos.x) + 10 + (tick - 1) * cellWidth + offset;
}

int MixerScene::redTrackY() {
    const int bottomRow = TevCrt::PixelHeight - 1 - static_cast<int>(kRedPos.y);
    return bottomRow - static_cast<int>(kSliderSize.height) / 2;
}

DeviceRect MixerScene::swatchRect() {
    // RGB's box from {300, 100} to {550, 240}, both corners included, in device rows.
    const int top = TevCrt::PixelHeight - 1 - 240;
    const int bottom = TevCrt::PixelHeight - 1 - 100;
    return DeviceRect::spanning(300, top, 550, bottom);
}

DeviceRect MixerScene::textLineRect() {
    const std::string line = "R/G/B" + Str(0.0) + Str(0.0) + Str(0.0);
    return TevCrt::cellsRect(22, 10, static_cast<int>(line.size()));
}

int dispatchPending(Application& app) {
    int count = 0;
    while (app.hasPending()) {
        MessageParam mp1;
        MessageParam mp2;
        Window* target = nullptr;
        const EventCode code = app.next(mp1, mp2, target);
        target->HandleEvent(code, mp1, mp2);
        ++count;
    }
    return count;
}

}  // namespace tev::bench
