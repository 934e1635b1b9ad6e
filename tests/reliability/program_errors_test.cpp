// Bad input to a whole program ends it with one clear line on stderr and a defined exit
// status, never a crash or a hang: the built programs run as a user runs them.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "support/child_process.hpp"
#include "support/golden.hpp"

namespace tev {
namespace {

using testing::ProcessResult;
using testing::runProcess;

// Generous: the sanitizer build starts slowly; a hang shows as "timed out".
constexpr std::chrono::seconds kTimeout{120};

std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = testing::outputPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

struct ProgramCase {
    std::string name;
    std::vector<std::string> argv;
    std::string misuse;  // TEV_MISUSE, for the misuse program
    int exitStatus;
    std::string stderrLine;  // the one line expected, without its newline; "" for none
};

void expectRun(const ProgramCase& c) {
    SCOPED_TRACE(c.name);
    const ProcessResult result = runProcess(c.argv, {{"TEV_MISUSE", c.misuse}}, kTimeout);
    ASSERT_TRUE(result.exited) << result.describe() << "\nstderr:\n" << result.standardError;
    EXPECT_EQ(result.exitStatus, c.exitStatus) << "stderr:\n" << result.standardError;
    EXPECT_EQ(result.standardError, c.stderrLine.empty() ? "" : c.stderrLine + "\n");
    EXPECT_EQ(result.standardOutput, "");
}

TEST(ProgramErrorsTest, SliderMisuseEndsTheProgramWithOneLineAndStatusOne) {
    const std::string program = TEV_MISUSE_PROGRAM;
    const std::vector<std::string> argv{program, "--platform", "offscreen"};
    const std::string name = "misuse_program: error: ";
    const ProgramCase cases[] = {
        {"no misuse", argv, "", 0, ""},
        {"Ticks below 2 at Create", argv, "ticks-below-two", 1,
         name + "Create: a slider needs at least 2 ticks, Ticks is 1"},
        {"SetEditBuffer outside the ticks", argv, "edit-buffer-outside", 1,
         name + "SetEditBuffer: tick index 11 is outside 1 to 10"},
        {"a position event without a position pair", argv, "position-not-a-pair", 1,
         name + "slider position event: expected a position pair message parameter, got number 3"},
        {"a malformed thumb bitmap", argv, "malformed-thumb-bitmap", 1,
         name + "bitmap resource 1003: truncated file header (needs 14 bytes, file has 6)"},
    };
    for (const ProgramCase& c : cases) {
        expectRun(c);
    }
}

TEST(ProgramErrorsTest, AMalformedReplayFileEndsTheMixerWithOneLineAndStatusTwo) {
    const std::string mixer = TEV_SLIDRGB_PROGRAM;
    const std::string malformed = writeFile("malformed.replay", "press 110 180\nmove 130\n");
    const std::string binary = writeFile("binary.replay", std::string("\x7f\x45LF\x02\x01", 6));
    const std::string missing = testing::outputPath("no-such-file.replay");
    const ProgramCase cases[] = {
        {"a line with one coordinate",
         {mixer, "--platform", "offscreen", "--replay", malformed},
         "",
         2,
         "slidrgb: " + malformed + ":2: \"move\" takes two coordinates, X and Y"},
        {"not a replay at all",
         {mixer, "--platform", "offscreen", "--replay", binary},
         "",
         2,
         "slidrgb: " + binary +
             ":1: unknown action \"\x7f\x45LF\x02\x01\" (expected press, move, release, click, "
             "close or screenshot)"},
        {"a missing file",
         {mixer, "--platform", "offscreen", "--replay", missing},
         "",
         2,
         "slidrgb: " + missing + ": cannot read the replay file"},
    };
    for (const ProgramCase& c : cases) {
        expectRun(c);
    }
}

}  // namespace
}  // namespace tev
