#include "tev/application.hpp"

#include <algorithm>
#include <utility>

#include "tev/event_codes.hpp"
#include "tev/runtime_error.hpp"
#include "tev/tev_crt.hpp"

namespace tev {

namespace {

// Paint passes before waiting for input, should painting keep damaging the window.
constexpr int kRepaintPasses = 8;

Application* gCurrent = nullptr;

// A queue that never held more entries than this keeps its storage when it runs empty, so the
// event loop does not allocate on every idle turn.
constexpr std::size_t kQueueEntriesKept = 4096;

}  // namespace

Application::Application(std::string title, std::unique_ptr<Backend> backend)
    : title_(std::move(title)),
      backend_(std::move(backend)),
      frame_(backend_->createFrame(TevCrt::PixelWidth, TevCrt::PixelHeight)),
      previous_(gCurrent) {
    gCurrent = this;
    appWindow_ = std::make_unique<TevCrt>(title_);
    damage_.unite(frame_->bounds());
}

Application::~Application() {
    appWindow_.reset();
    gCurrent = previous_;
}

Application& Application::current(const char* operation) {
    if (gCurrent == nullptr) {
        throw RuntimeError(operation, "no application is running");
    }
    return *gCurrent;
}

Application* Application::currentOrNull() {
    return gCurrent;
}

void Application::post(EventCode code, MessageParam mp1, MessageParam mp2, Window* target) {
    if (target == nullptr) {
        throw RuntimeError("PostAppEvent", "the event has no target");
    }
    queue_.push_back(PostedEvent{code, std::move(mp1), std::move(mp2), target});
    noteQueueGrew();
}

void Application::pushInput(const PointerInput& input) {
    queue_.push_back(input);
    noteQueueGrew();
}

void Application::noteQueueGrew() {
    queuePeak_ = std::max(queuePeak_, queue_.size());
}

void Application::noteQueueShrank() {
    if (!queue_.empty()) {
        return;
    }
    // A deque keeps the index of its blocks at the largest size it ever had; after a flood
    // that index alone is megabytes. A fresh queue gives it back.
    if (queuePeak_ > kQueueEntriesKept) {
        std::deque<Entry>().swap(queue_);
    }
    queuePeak_ = 0;
}

EventCode Application::next(MessageParam& mp1, MessageParam& mp2, Window*& target) {
    for (;;) {
        while (queue_.empty()) {
            // Painting may damage more (a Paint that moves or invalidates something): paint
            // until the frame is whole, within reason, before showing it and waiting.
            int pass = 0;
            do {
                repaint();
            } while (!damage_.isEmpty() && ++pass < kRepaintPasses);
            inputBuffer_.clear();
            backend_->waitForInput(*frame_, inputBuffer_);
            queue_.insert(queue_.end(), inputBuffer_.begin(), inputBuffer_.end());
            noteQueueGrew();
        }
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        noteQueueShrank();
        std::optional<PostedEvent> event;
        if (const PointerInput* input = std::get_if<PointerInput>(&entry)) {
            event = translate(*input);
        } else {
            event = std::move(std::get<PostedEvent>(entry));
        }
        if (event) {
            mp1 = std::move(event->mp1);
            mp2 = std::move(event->mp2);
            target = event->target;
            return event->code;
        }
    }
}

std::optional<Application::PostedEvent> Application::translate(const PointerInput& input) {
    using Kind = PointerInput::Kind;
    switch (input.kind) {
        case Kind::Close:
            takeExitScreenshot();
            return PostedEvent{CloseRequest, {}, {}, appWindow_.get()};
        case Kind::CaptureLost: {
            // The system took the mouse away in the middle of a drag: the holder gets the
            // release it would otherwise never see, so every drag ends.
            Window* holder = capture_;
            if (holder == nullptr) {
                return std::nullopt;
            }
            capture_ = nullptr;
            pressTarget_ = nullptr;
            backend_->captureChanged(false);
            return PostedEvent{
                MouseLeftUp, holder->pointerToLocal(lastPointerX_, lastPointerY_), {}, holder};
        }
        case Kind::Press:
        case Kind::Move:
        case Kind::Release:
            break;
    }
    lastPointerX_ = input.x;
    lastPointerY_ = input.y;
    // While a control holds the capture, only a release asks which window is under the
    // pointer (to tell a click); the movements of a drag skip the hit-test.
    Window* under = capture_ == nullptr || input.kind == Kind::Release
                        ? appWindow_->windowAt(input.x, input.y)
                        : nullptr;
    Window* target = capture_ != nullptr ? capture_ : under;
    if (target == nullptr) {
        if (input.kind == Kind::Release) {
            pressTarget_ = nullptr;
        }
        return std::nullopt;
    }
    const MessageParam pos = target->pointerToLocal(input.x, input.y);
    switch (input.kind) {
        case Kind::Press:
            pressTarget_ = target;
            return PostedEvent{MouseLeftDown, pos, {}, target};
        case Kind::Release:
            // A press and a release on the same control make a click, delivered right after
            // the release.
            if (pressTarget_ != nullptr && pressTarget_ == under) {
                queue_.push_front(PostedEvent{
                    MouseLeftClick, under->pointerToLocal(input.x, input.y), {}, under});
            }
            pressTarget_ = nullptr;
            return PostedEvent{MouseLeftUp, pos, {}, target};
        default:
            return PostedEvent{MouseMotion, pos, {}, target};
    }
}

bool Application::setCapture(Window& window, bool capture) {
    if (capture) {
        const bool changed = capture_ == nullptr;
        capture_ = &window;
        if (changed) {
            backend_->captureChanged(true);
        }
        return true;
    }
    if (capture_ != &window) {
        return false;
    }
    capture_ = nullptr;
    backend_->captureChanged(false);
    return true;
}

void Application::damage(const Region& area) {
    Region inside = area;
    inside.intersect(frame_->bounds());
    damage_.unite(inside);
}

void Application::notePresented(const DeviceRect& area) {
    presented_.unite(area.intersected(frame_->bounds()));
}

long long Application::repaint() {
    if (damage_.isEmpty() && presented_.isEmpty()) {
        return 0;
    }
    // Damage that painting itself causes waits for the next pass.
    const Region area = std::exchange(damage_, Region());
    paintTree(*appWindow_, area);
    Region changed = area;
    changed.unite(presented_);
    presented_.clear();
    backend_->present(*frame_, changed);
    return area.area();
}

void Application::paintTree(Window& window, const Region& area) {
    if (!window.isVisible()) {
        return;
    }
    Region clip = window.visibleRegion();
    clip.intersect(area);
    if (clip.isEmpty()) {
        return;
    }
    Region own = clip;
    if (window.clipsChildren()) {
        for (const Window* child : window.children()) {
            if (child->isVisible()) {
                own.subtract(child->visibleRegion());
            }
        }
    }
    if (!own.isEmpty()) {
        window.paintLook(*frame_, own);
        // The damaged part in the window's own coordinates, both corners included.
        const DeviceRect box = own.extents();
        const PositionPair low = window.toLocal(box.x, box.y + box.height - 1);
        const PositionPair high = window.toLocal(box.x + box.width - 1, box.y);
        window.beginPaint(own);
        try {
            window.Paint(Rect{low.x, low.y, high.x, high.y});
        } catch (...) {
            window.endPaint();
            throw;
        }
        window.endPaint();
    }
    const std::vector<Window*> children = window.children();
    for (Window* child : children) {
        paintTree(*child, clip);
    }
}

void Application::setExitScreenshot(std::string path, int scale) {
    exitScreenshot_ = std::move(path);
    exitScreenshotScale_ = scale;
}

void Application::takeExitScreenshot() {
    if (exitScreenshot_) {
        repaint();
        frame_->writePng(*exitScreenshot_, exitScreenshotScale_);
        exitScreenshot_.reset();
    }
}

void Application::forget(const Window& window) {
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [&](const Entry& entry) {
                                    const PostedEvent* event = std::get_if<PostedEvent>(&entry);
                                    return event != nullptr && event->target == &window;
                                }),
                 queue_.end());
    if (capture_ == &window) {
        capture_ = nullptr;
        backend_->captureChanged(false);
    }
    if (pressTarget_ == &window) {
        pressTarget_ = nullptr;
    }
}

void PostAppEvent(EventCode nEvent, const MessageParam& mp1, const MessageParam& mp2,
                  Window* oTarget) {
    Application::current("PostAppEvent").post(nEvent, mp1, mp2, oTarget);
}

EventCode AppEvent(MessageParam& mp1, MessageParam& mp2, Window*& oTarget) {
    return Application::current("AppEvent").next(mp1, mp2, oTarget);
}

TevCrt& SetAppWindow() {
    return Application::current("SetAppWindow").appWindow();
}

}  // namespace tev
