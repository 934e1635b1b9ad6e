#include "drag_session.hpp"

namespace tev::bench {

DragSession::DragSession() {
    auto backend = std::make_unique<OffscreenBackend>();
    backend_ = backend.get();
    app_ = std::make_unique<Application>("slidrgb", std::move(backend));
    scene_ = std::make_unique<MixerScene>();
    dispatchPending(*app_);
    app_->repaint();
    const DeviceRect thumb = scene_->redThumb().deviceRect();
    app_->pushInput(
        {PointerInput::Kind::Press, thumb.x + thumb.width / 2, thumb.y + thumb.height / 2});
    dispatchPending(*app_);
    app_->repaint();
}

long long DragSession::step(int x) {
    app_->pushInput({PointerInput::Kind::Move, x, MixerScene::redTrackY()});
    dispatchPending(*app_);
    return app_->repaint();
}

Region DragSession::changedArea(int from, int to) {
    step(MixerScene::redTrackX(from, 4));
    Region area(scene_->redThumb().deviceRect());
    step(MixerScene::redTrackX(to, 4));
    area.unite(scene_->redThumb().deviceRect());
    if (from != to) {
        area.unite(MixerScene::swatchRect());
        area.unite(MixerScene::textLineRect());
    }
    return area;
}

}  // namespace tev::bench
