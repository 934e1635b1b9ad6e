// A malformed replay file is a ReplayError that names the file and the line and says what is
// wrong; the platform's start-up turns it into one line on stderr and exit status 2.
#include <gtest/gtest.h>

#include <string>

#include "offscreen_backend.hpp"
#include "replay_script.hpp"

namespace tev {
namespace {

std::string replayErrorOf(const std::string& text) {
    OffscreenBackend backend;
    try {
        loadReplay(text, "session.replay", backend);
    } catch (const ReplayError& e) {
        return e.what();
    }
    return "(no ReplayError)";
}

TEST(ReplayMisuseTest, EachMalformedLineIsNamedWithWhatIsWrong) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"jump 1 2",
         "session.replay:1: unknown action \"jump\" (expected press, move, release, click, close "
         "or screenshot)"},
        {"press 10", "session.replay:1: \"press\" takes two coordinates, X and Y"},
        {"move 1 2 3", "session.replay:1: \"move\" takes two coordinates, X and Y"},
        {"click x 2", "session.replay:1: \"x\" is not a whole number of pixels within +-1048576"},
        {"release 1.5 2",
         "session.replay:1: \"1.5\" is not a whole number of pixels within +-1048576"},
        {"press 1 1048577",
         "session.replay:1: \"1048577\" is not a whole number of pixels within +-1048576"},
        {"press 1 99999999999999999999",
         "session.replay:1: \"99999999999999999999\" is not a whole number of pixels within "
         "+-1048576"},
        {"press 1 +2", "session.replay:1: \"+2\" is not a whole number of pixels within +-1048576"},
        {"close now", "session.replay:1: \"close\" takes no arguments"},
        {"screenshot", "session.replay:1: \"screenshot\" takes one file name (without spaces)"},
        {"screenshot a b", "session.replay:1: \"screenshot\" takes one file name (without spaces)"},
        // Comments and blank lines count as lines; Windows line ends are read as line ends.
        {"# a session\n\npress 1 2\r\nmove 3 4\r\nbogus\n",
         "session.replay:5: unknown action \"bogus\" (expected press, move, release, click, "
         "close or screenshot)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(replayErrorOf(c.text), c.message);
    }
}

TEST(ReplayMisuseTest, AFileThatCannotBeReadIsNamed) {
    OffscreenBackend backend;
    try {
        loadReplayFile("/nonexistent/session.replay", backend);
        ADD_FAILURE() << "no ReplayError";
    } catch (const ReplayError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "/nonexistent/session.replay: cannot read the replay file");
    }
}

}  // namespace
}  // namespace tev
