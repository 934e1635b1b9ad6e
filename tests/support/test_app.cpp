#include "support/test_app.hpp"

#include <ostream>
#include <sstream>

namespace tev::testing {

TestApp::TestApp() {
    auto backend = std::make_unique<OffscreenBackend>();
    backend_ = backend.get();
    app_ = std::make_unique<Application>("test", std::move(backend));
}

TestApp::~TestApp() = default;

EventCode TestApp::dispatchOne() {
    MessageParam mp1;
    MessageParam mp2;
    Window* target = nullptr;
    const EventCode code = app_->next(mp1, mp2, target);
    target->HandleEvent(code, mp1, mp2);
    return code;
}

int TestApp::dispatchAll() {
    int count = 0;
    while (app_->hasPending()) {
        dispatchOne();
        ++count;
    }
    return count;
}

bool TestApp::dispatchUntil(EventCode wanted) {
    while (app_->hasPending()) {
        if (dispatchOne() == wanted) {
            return true;
        }
    }
    return false;
}

void runUntilClose() {
    EventCode code = 0;
    MessageParam mp1;
    MessageParam mp2;
    Window* target = nullptr;
    while (code != CloseRequest) {
        code = AppEvent(mp1, mp2, target);
        target->HandleEvent(code, mp1, mp2);
    }
}

const Surface& TestApp::paint() {
    app_->repaint();
    return app_->frame();
}

std::string describe(Rgb color) {
    std::ostringstream out;
    out << "(" << int{color.red} << ", " << int{color.green} << ", " << int{color.blue} << ")";
    return out.str();
}

}  // namespace tev::testing

namespace tev {
void PrintTo(const Rgb& color, std::ostream* out) {
    *out << testing::describe(color);
}
}  // namespace tev
