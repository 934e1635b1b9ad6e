#include "replay_script.hpp"

#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

#include "offscreen_backend.hpp"

namespace tev {

namespace {

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

// Coordinates far outside any window are still allowed (the pointer may leave the window
// during a drag), within a range that keeps every sum safe.
constexpr int kLargestCoordinate = 1 << 20;

int parseCoordinate(std::string_view word, const std::string& where) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value > kLargestCoordinate ||
        value < -kLargestCoordinate) {
        throw ReplayError(where + ": \"" + std::string(word) +
                          "\" is not a whole number of pixels within +-1048576");
    }
    return value;
}

// Floor division, so negative coordinates map back to the pixel they lie in.
int unscale(int value, int scale) {
    return value >= 0 ? value / scale : -((-value + scale - 1) / scale);
}

}  // namespace

void loadReplay(std::string_view text, const std::string& fileName, OffscreenBackend& backend) {
    using Kind = PointerInput::Kind;
    int lineNumber = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        const std::string where = fileName + ":" + std::to_string(lineNumber);
        const std::vector<std::string_view> words = splitWords(line);
        if (words.empty() || words[0].front() == '#') {
            continue;
        }
        const std::string_view action = words[0];
        const int scale = backend.scale();
        if (action == "press" || action == "move" || action == "release" || action == "click") {
            if (words.size() != 3) {
                throw ReplayError(where + ": \"" + std::string(action) +
                                  "\" takes two coordinates, X and Y");
            }
            const int x = unscale(parseCoordinate(words[1], where), scale);
            const int y = unscale(parseCoordinate(words[2], where), scale);
            backend.addPause();
            if (action == "press" || action == "click")
                backend.addInput({Kind::Press, x, y});
            if (action == "move")
                backend.addInput({Kind::Move, x, y});
            if (action == "release" || action == "click")
                backend.addInput({Kind::Release, x, y});
        } else if (action == "close") {
            if (words.size() != 1) {
                throw ReplayError(where + ": \"close\" takes no arguments");
            }
            backend.addPause();
            backend.addInput({Kind::Close, 0, 0});
        } else if (action == "screenshot") {
            if (words.size() != 2) {
                throw ReplayError(where + ": \"screenshot\" takes one file name (without spaces)");
            }
            const std::string path(words[1]);
            backend.addFrameAction(
                [path, scale](const Surface& frame) { frame.writePng(path, scale); });
        } else {
            throw ReplayError(where + ": unknown action \"" + std::string(action) +
                              "\" (expected press, move, release, click, close or screenshot)");
        }
        if (end == text.size())
            break;
    }
}

void loadReplayFile(const std::string& path, OffscreenBackend& backend) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ReplayError(path + ": cannot read the replay file");
    }
    std::ostringstream contents;
    contents << in.rdbuf();
    loadReplay(contents.str(), path, backend);
}

}  // namespace tev
