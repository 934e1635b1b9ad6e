// What happens around the display itself: none to be had at start-up, the X server going
// away while the program runs, and an idle program that must not keep waking up.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "desktop.hpp"

namespace tev::e2e {
namespace {

using std::chrono::seconds;

int lineCount(const std::string& text) {
    int count = 0;
    for (char c : text) {
        count += c == '\n' ? 1 : 0;
    }
    return count;
}

// A display number with no server behind it.
std::string unusedDisplay() {
    for (int number = 900;; ++number) {
        const std::string name = std::to_string(number);
        const std::filesystem::path socket = std::filesystem::path("/tmp/.X11-unix") / ("X" + name);
        const std::filesystem::path lock = std::filesystem::path("/tmp") / (".X" + name + "-lock");
        if (!std::filesystem::exists(socket) && !std::filesystem::exists(lock)) {
            return ":" + name;
        }
    }
}

struct NoDisplayCase {
    const char* name;
    std::vector<std::string> environment;
};

void PrintTo(const NoDisplayCase& noDisplay, std::ostream* out) {
    *out << noDisplay.name;
}

class NoDisplayTest : public ::testing::TestWithParam<NoDisplayCase> {};

TEST_P(NoDisplayTest, SaysSoInOneLineAndExitsWithStatusTwo) {
    ChildProcess mixer({kMixer}, programEnvironment(GetParam().environment));
    EXPECT_EQ(mixer.waitForExit(seconds(20)), 2);
    EXPECT_EQ(lineCount(mixer.errors()), 1) << mixer.errors();
    EXPECT_NE(mixer.errors().find("cannot open"), std::string::npos) << mixer.errors();
    EXPECT_NE(mixer.errors().find("--platform offscreen"), std::string::npos) << mixer.errors();
}

INSTANTIATE_TEST_SUITE_P(Cases, NoDisplayTest,
                         ::testing::Values(NoDisplayCase{"DisplayNotSet", {}},
                                           NoDisplayCase{"NoServerOnDisplay",
                                                         {"DISPLAY=" + unusedDisplay()}}),
                         [](const ::testing::TestParamInfo<NoDisplayCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(DisplayLoss, ServerEndingUnderTheProgramGivesOneLineAndStatusTwo) {
    Desktop desktop;
    ChildProcess& mixer = desktop.start({kMixer});
    const std::optional<XWindowId> id = desktop.waitForWindow(mixer, "slidrgb");
    ASSERT_TRUE(id) << mixer.errors();

    desktop.killServer();
    EXPECT_EQ(mixer.waitForExit(seconds(10)), 2) << mixer.errors();
    EXPECT_EQ(lineCount(mixer.errors()), 1) << mixer.errors();
    EXPECT_NE(mixer.errors().find("lost the connection to the display"), std::string::npos)
        << mixer.errors();
}

// Voluntary context switches of every thread of a process: each is one wake-up from a wait.
long wakeUps(pid_t pid) {
    long total = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
                total += std::stol(line.substr(line.find(':') + 1));
            }
        }
    }
    return total;
}

TEST(IdleWindow, BlocksInTheSystemsWaitInsteadOfPolling) {
    Desktop desktop;
    ChildProcess& mixer = desktop.start({kMixer});
    const std::optional<XWindowId> id = desktop.waitForWindow(mixer, "slidrgb");
    ASSERT_TRUE(id) << mixer.errors();
    // Let start-up settle (the first frame, the expose that follows the map).
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    // A program that polls wakes up hundreds of times a second; one that blocks does not
    // wake up at all while nothing happens.
    const long before = wakeUps(mixer.pid());
    std::this_thread::sleep_for(seconds(1));
    EXPECT_LT(wakeUps(mixer.pid()) - before, 10);
}

}  // namespace
}  // namespace tev::e2e
