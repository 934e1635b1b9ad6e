#include "tev/window.hpp"

#include <algorithm>

#include "tev/application.hpp"
#include "tev/event_codes.hpp"
#include "tev/surface.hpp"
#include "tev/tev_crt.hpp"

namespace tev {

Window::Window() = default;

Window::~Window() {
    // Children end with their parent: they leave the tree and stop showing.
    for (Window* child : children_) {
        child->parent_ = nullptr;
    }
    children_.clear();
    if (parent_ != nullptr) {
        detach();
    }
    if (Application* app = Application::currentOrNull()) {
        app->forget(*this);
    }
}

Window& Window::HandleEvent(EventCode nEvent, const MessageParam& mp1, const MessageParam&) {
    switch (nEvent) {
        case MouseLeftDown:
            return LbDown(mp1.asPosition("HandleEvent"));
        case MouseLeftUp:
            return LbUp(mp1.asPosition("HandleEvent"));
        case MouseLeftClick:
            return lbClick(mp1.asPosition("HandleEvent"));
        case MouseMotion:
            return Motion(mp1.asPosition("HandleEvent"));
        default:
            return *this;
    }
}

Window& Window::LbDown(PositionPair) {
    return *this;
}
Window& Window::LbUp(PositionPair) {
    return *this;
}
Window& Window::lbClick(PositionPair) {
    return *this;
}
Window& Window::Motion(PositionPair) {
    return *this;
}

bool Window::isShowing() const {
    const Window* window = this;
    while (window->parent_ != nullptr) {
        if (!window->visible_) {
            return false;
        }
        window = window->parent_;
    }
    // Only the application window stands at the root of the tree that is shown.
    Application* app = Application::currentOrNull();
    return window->visible_ && app != nullptr && window == &app->appWindow();
}

int Window::deviceLeft() const {
    const int x = toPixel(pos_.x, "window position");
    return parent_ != nullptr ? parent_->deviceLeft() + x : x;
}

int Window::deviceBottomRow() const {
    if (parent_ == nullptr) {
        // A root window: its row 0 is the last row of its own area.
        return toPixel(size_.height, "window size") - 1;
    }
    return parent_->deviceBottomRow() - toPixel(pos_.y, "window position");
}

DeviceRect Window::deviceRect() const {
    const int width = std::max(0, toPixel(size_.width, "window size"));
    const int height = std::max(0, toPixel(size_.height, "window size"));
    return {deviceLeft(), deviceBottomRow() - height + 1, width, height};
}

Region Window::visibleRegion() const {
    return visiblePart(deviceRect());
}

Region Window::visiblePart(DeviceRect area) const {
    for (const Window* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_) {
        area = area.intersected(ancestor->deviceRect());
    }
    return Region(area);
}

PositionPair Window::toLocal(int deviceX, int deviceY) const {
    return {static_cast<double>(deviceX - deviceLeft()),
            static_cast<double>(deviceBottomRow() - deviceY)};
}

PositionPair Window::pointerToLocal(int deviceX, int deviceY) const {
    if (parent_ == nullptr) {
        return toLocal(deviceX, deviceY);
    }
    const PositionPair inParent = parent_->pointerToLocal(deviceX, deviceY);
    return {inParent.x - pos_.x, inParent.y - pos_.y};
}

Region Window::unobscuredRegion() const {
    Region area = visibleRegion();
    for (const Window* window = this; window->parent_ != nullptr; window = window->parent_) {
        const std::vector<Window*>& siblings = window->parent_->children_;
        auto above = std::find(siblings.begin(), siblings.end(), window);
        for (++above; above != siblings.end(); ++above) {
            if ((*above)->visible_) {
                area.subtract((*above)->visibleRegion());
            }
        }
    }
    if (clipsChildren()) {
        for (const Window* child : children_) {
            if (child->visible_) {
                area.subtract(child->visibleRegion());
            }
        }
    }
    return area;
}

Window* Window::windowAt(int deviceX, int deviceY) {
    if (!visible_ || !visibleRegion().contains(deviceX, deviceY)) {
        return nullptr;
    }
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        if (Window* hit = (*child)->windowAt(deviceX, deviceY)) {
            return hit;
        }
    }
    return this;
}

void Window::paintLook(Surface&, const Region&) {}

Window& Window::Paint(const Rect&) {
    return *this;
}

DrawTarget Window::drawTarget() {
    Application& app = Application::current("drawing");
    // Outside the paint pass a window draws only where it shows itself: not over the windows
    // stacked above it, nor over its children when it clips them.
    Region clip = paintClip_ ? *paintClip_ : (isShowing() ? unobscuredRegion() : Region());
    return {app.frame(), deviceLeft(), deviceBottomRow(), std::move(clip)};
}

void Window::noteDrawn(const DeviceRect& touched) {
    // Inside the paint pass the frame is presented anyway; outside it, show what was drawn.
    if (!paintClip_) {
        if (Application* app = Application::currentOrNull()) {
            app->notePresented(touched);
        }
    }
}

void Window::damage(const Region& area) const {
    if (Application* app = Application::currentOrNull()) {
        app->damage(area);
    }
}

void Window::attachTo(Window* parent) {
    if (parent_ != nullptr) {
        detach();
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->children_.push_back(this);
        if (isShowing()) {
            damage(visibleRegion());
        }
    }
}

void Window::detach() {
    if (isShowing()) {
        damage(visibleRegion());
    }
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_ = nullptr;
}

void Window::moveTo(PositionPair pos) {
    // Check the new position before anything changes, so a bad one leaves the window as it was.
    toPixel(pos.x, "SetPos");
    toPixel(pos.y, "SetPos");
    const DeviceRect before = deviceRect();
    pos_ = pos;
    // Only whole pixels show: a move that lands on the same pixels changes nothing on screen
    // (a drag that stays inside one cell of a slider places its thumb again and again).
    if (isShowing() && !(deviceRect() == before)) {
        damage(visiblePart(before));
        damage(visibleRegion());
    }
}

void Window::resizeTo(SizePair size) {
    toPixel(size.width, "SetSize");
    toPixel(size.height, "SetSize");
    const bool showing = isShowing();
    if (showing) {
        damage(visibleRegion());
    }
    size_ = size;
    if (showing) {
        damage(visibleRegion());
    }
}

void Window::setVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    if (isShowing()) {
        damage(visibleRegion());
    }
    visible_ = visible;
    if (isShowing()) {
        damage(visibleRegion());
    }
}

}  // namespace tev
