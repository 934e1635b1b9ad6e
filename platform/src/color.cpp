#include "tev/color.hpp"

#include <array>
#include <string>

#include "tev/runtime_error.hpp"

namespace tev {

namespace {

struct LetterColor {
    std::string_view letters;
    Rgb normal;
    Rgb bright;
};

// W is white, as a white text background should be; its bright variant is the same white.
// N+ is the dark grey that the bright variant of black gives on text screens.
constexpr std::array<LetterColor, 8> kLetterColors{{
    {"N", {0, 0, 0}, {128, 128, 128}},
    {"B", {0, 0, 128}, {0, 0, 255}},
    {"G", {0, 128, 0}, {0, 255, 0}},
    {"BG", {0, 128, 128}, {0, 255, 255}},
    {"R", {128, 0, 0}, {255, 0, 0}},
    {"RB", {128, 0, 128}, {255, 0, 255}},
    {"GR", {128, 128, 0}, {255, 255, 0}},
    {"W", {255, 255, 255}, {255, 255, 255}},
}};

}  // namespace

Rgb colorFromLetters(std::string_view letters, const char* operation) {
    std::string_view name = letters;
    bool bright = false;
    if (!name.empty() && name.back() == '+') {
        bright = true;
        name.remove_suffix(1);
    }
    for (const LetterColor& entry : kLetterColors) {
        if (entry.letters == name) {
            return bright ? entry.bright : entry.normal;
        }
    }
    throw RuntimeError(operation, "unknown color \"" + std::string(letters) +
                                      "\" (expected N, B, G, BG, R, RB, GR or W, with optional +)");
}

ColorPair parseColorPair(std::string_view text, const char* operation) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        throw RuntimeError(operation, "color pair \"" + std::string(text) +
                                          "\" has no \"/\" (expected e.g. \"N/W\")");
    }
    return {colorFromLetters(text.substr(0, slash), operation),
            colorFromLetters(text.substr(slash + 1), operation)};
}

}  // namespace tev
