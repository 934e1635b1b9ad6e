// The fuzz targets' seed corpus and every input that once broke a target (fuzz/regressions),
// run through the same checks as the fuzzers, in the normal test suite and so also under its
// sanitizer build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "input_checks.hpp"

namespace tev {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsFor(const std::string& target) {
    std::vector<fs::path> inputs;
    for (const char* folder : {"corpus", "regressions"}) {
        const fs::path directory = fs::path(TEV_FUZZ_DIR) / folder / target;
        if (!fs::is_directory(directory)) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
            if (entry.is_regular_file()) {
                inputs.push_back(entry.path());
            }
        }
    }
    return inputs;
}

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzInputsTest, BitmapInputsDecodeOrFailClearly) {
    const std::vector<fs::path> inputs = inputsFor("bmp");
    ASSERT_FALSE(inputs.empty()) << "no inputs under " << TEV_FUZZ_DIR;
    for (const fs::path& input : inputs) {
        // A copy of exactly the input's size, so the sanitizer sees a read past its end.
        const std::string contents = contentsOf(input);
        const std::vector<std::uint8_t> bytes(contents.begin(), contents.end());
        EXPECT_EQ(fuzz::checkBitmapInput(bytes), "") << input;
    }
}

TEST(FuzzInputsTest, ReplayInputsLoadOrFailClearly) {
    const std::vector<fs::path> inputs = inputsFor("replay");
    ASSERT_FALSE(inputs.empty()) << "no inputs under " << TEV_FUZZ_DIR;
    for (const fs::path& input : inputs) {
        EXPECT_EQ(fuzz::checkReplayInput(contentsOf(input)), "") << input;
    }
}

}  // namespace
}  // namespace tev
