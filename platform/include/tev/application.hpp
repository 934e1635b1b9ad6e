#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "tev/backend.hpp"
#include "tev/message_param.hpp"
#include "tev/region.hpp"
#include "tev/surface.hpp"

namespace tev {

class TevCrt;
class Window;

// The running application: the application window, the event queue, the mouse capture and
// the damage that the next paint pass repaints. One exists at a time; the free functions of
// the platform (PostAppEvent, AppEvent, SetAppWindow, the text functions) act on it.
class Application {
  public:
    Application(std::string title, std::unique_ptr<Backend> backend);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application in force; raises a RuntimeError naming `operation` when there is none.
    static Application& current(const char* operation);
    static Application* currentOrNull();

    TevCrt& appWindow() { return *appWindow_; }
    const std::string& title() const { return title_; }
    Backend& backend() { return *backend_; }

    // The event queue: one FIFO of posted events and input, in the order they arrive.
    void post(EventCode code, MessageParam mp1, MessageParam mp2, Window* target);
    // Answers the next event; when the queue is empty it repaints, presents and waits for the
    // backend's input first.
    EventCode next(MessageParam& mp1, MessageParam& mp2, Window*& target);
    void pushInput(const PointerInput& input);
    bool hasPending() const { return !queue_.empty(); }
    std::size_t pendingCount() const { return queue_.size(); }

    // Mouse capture: the control that receives all mouse events, wherever the pointer is.
    bool setCapture(Window& window, bool capture);
    Window* captureHolder() const { return capture_; }

    // Damage and painting. Damaged device pixels are repainted by the next paint pass;
    // presented pixels are shown without repainting (drawing done outside the pass).
    void damage(const Region& area);
    void notePresented(const DeviceRect& area);
    // Repaints the damaged areas and presents them; answers the number of pixels repainted.
    long long repaint();
    const Region& pendingDamage() const { return damage_; }
    Surface& frame() { return *frame_; }

    // Saves the window as a PNG when the close request arrives (as the user last saw it,
    // before the program tears anything down), or at the end if the program stops by itself.
    void setExitScreenshot(std::string path, int scale);
    void takeExitScreenshot();

    // A window is going away: drops every reference to it (queued events, capture, press).
    void forget(const Window& window);

  private:
    struct PostedEvent {
        EventCode code;
        MessageParam mp1;
        MessageParam mp2;
        Window* target;
    };
    using Entry = std::variant<PostedEvent, PointerInput>;

    // Turns input into an event for the window it is addressed to, at the time it is fetched,
    // so hit-testing and coordinates see the tree as the program left it.
    // Answers nothing for input that concerns no window.
    std::optional<PostedEvent> translate(const PointerInput& input);
    // Records the queue's size after entries were added, and gives back the storage a flood
    // left behind once the queue is empty again.
    void noteQueueGrew();
    void noteQueueShrank();
    void paintTree(Window& window, const Region& area);

    std::string title_;
    std::unique_ptr<Backend> backend_;
    std::unique_ptr<Surface> frame_;
    std::unique_ptr<TevCrt> appWindow_;
    std::deque<Entry> queue_;
    // The largest size of the queue since it was last empty.
    std::size_t queuePeak_ = 0;
    Window* capture_ = nullptr;
    Window* pressTarget_ = nullptr;
    int lastPointerX_ = 0;
    int lastPointerY_ = 0;
    Region damage_;
    Region presented_;
    std::vector<PointerInput> inputBuffer_;
    std::optional<std::string> exitScreenshot_;
    int exitScreenshotScale_ = 1;
    Application* previous_;
};

// The event queue of the application in force.
void PostAppEvent(EventCode nEvent, const MessageParam& mp1, const MessageParam& mp2,
                  Window* oTarget);
EventCode AppEvent(MessageParam& mp1, MessageParam& mp2, Window*& oTarget);
// Answers the application window.
TevCrt& SetAppWindow();

}  // namespace tev
