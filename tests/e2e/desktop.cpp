#include "desktop.hpp"

#include <thread>

#include "support/golden.hpp"
#include "support/test_app.hpp"

namespace tev::e2e {

namespace {

// Big enough for the window at scale 2 with room around it for the pointer to leave it.
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1200;

using Clock = std::chrono::steady_clock;

std::optional<std::string> firstDifference(const Screenshot& actual, const Surface& expected) {
    if (actual.width != expected.width() || actual.height != expected.height()) {
        return "the window is " + std::to_string(actual.width) + "x" +
               std::to_string(actual.height) + ", expected " + std::to_string(expected.width()) +
               "x" + std::to_string(expected.height());
    }
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const Rgb seen = actual.at(x, y);
            const Rgb wanted = expected.rgbAt(x, y);
            if (!(seen == wanted)) {
                return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) +
                       "): " + testing::describe(seen) + ", expected " + testing::describe(wanted);
            }
        }
    }
    return std::nullopt;
}

void writeDiff(const Screenshot& actual, const Surface& expected, const std::string& path) {
    Screenshot diff = actual;
    for (int y = 0; y < diff.height && y < expected.height(); ++y) {
        for (int x = 0; x < diff.width && x < expected.width(); ++x) {
            const bool same = actual.at(x, y) == expected.rgbAt(x, y);
            diff.pixels[static_cast<std::size_t>(y) * diff.width + x] = same ? 0xFFFFFF : 0xFF0000;
        }
    }
    diff.writePng(path);
}

}  // namespace

std::vector<std::string> programEnvironment(std::vector<std::string> extra) {
    extra.push_back("LSAN_OPTIONS=suppressions=" TEV_E2E_LSAN_SUPPRESSIONS ":print_suppressions=0");
    return extra;
}

std::string testFileName(const std::string& suffix) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info != nullptr ? std::string(info->test_suite_name()) + "." + info->name()
                                       : std::string("e2e");
    name += suffix;
    for (char& c : name) {
        if (c == '/' || c == ' ') {
            c = '_';
        }
    }
    return testing::outputPath(name);
}

Desktop::Desktop()
    : server_(std::make_unique<XvfbServer>(kScreenWidth, kScreenHeight, testFileName(".xvfb.log"))),
      client_(std::make_unique<XClient>(server_->display())) {}

Desktop::~Desktop() {
    programs_.clear();
    client_.reset();
    server_.reset();
}

ChildProcess& Desktop::start(const std::vector<std::string>& arguments) {
    programs_.push_back(
        std::make_unique<ChildProcess>(arguments, programEnvironment({"DISPLAY=" + display()})));
    return *programs_.back();
}

std::optional<XWindowId> Desktop::waitForWindow(ChildProcess& program, const std::string& title,
                                                milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline && program.running()) {
        if (const std::optional<XWindowId> window = client_->findWindow(title)) {
            return window;
        }
        std::this_thread::sleep_for(milliseconds(20));
    }
    return std::nullopt;
}

void Desktop::killServer() {
    client_.reset();
    server_->kill();
}

ProgramWindow::ProgramWindow(XClient& x, XWindowId id, int scale)
    : x_(x), id_(id), scale_(scale), placement_(x.placement(id)) {}

void ProgramWindow::moveTo(int x, int y) {
    x_.movePointer(placement_.x + x * scale_, placement_.y + y * scale_);
}

void ProgramWindow::press(int x, int y) {
    moveTo(x, y);
    x_.pressLeftButton();
}

void ProgramWindow::move(int x, int y) {
    moveTo(x, y);
}

void ProgramWindow::release(int x, int y) {
    moveTo(x, y);
    x_.releaseLeftButton();
}

Screenshot ProgramWindow::capture() {
    return x_.capture(placement_);
}

::testing::AssertionResult ProgramWindow::waitUntilShows(const Surface& expected,
                                                         const std::string& name,
                                                         milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
        const Screenshot shot = capture();
        const std::optional<std::string> difference = firstDifference(shot, expected);
        if (!difference) {
            return ::testing::AssertionSuccess();
        }
        if (Clock::now() >= deadline) {
            const std::string base = testFileName("." + name);
            shot.writePng(base + ".actual.png");
            expected.writePng(base + ".expected.png");
            writeDiff(shot, expected, base + ".diff.png");
            return ::testing::AssertionFailure()
                   << "the window does not show \"" << name << "\" after " << limit.count()
                   << " ms: " << *difference << " (see " << base << ".actual.png and .diff.png)";
        }
        std::this_thread::sleep_for(milliseconds(20));
    }
}

}  // namespace tev::e2e
