#include "tev/font.hpp"

namespace tev {

// Generated at build time from the console font (see tools/psf_to_glyphs.cpp): one glyph
// for each character U+0000 to U+00FF, and whether the font has that character.
extern const std::array<GlyphRows, 256> kConsoleGlyphs;
extern const std::array<bool, 256> kConsoleGlyphPresent;

const GlyphRows& glyphFor(char32_t character) {
    if (character < 256 && kConsoleGlyphPresent[character]) {
        return kConsoleGlyphs[character];
    }
    return kConsoleGlyphs[U'?'];
}

std::u32string decodeText(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms and surrogates are not valid UTF-8 either.
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= kSmallest[length] && code <= 0x10FFFF &&
                !(code >= 0xD800 && code <= 0xDFFF);
        if (valid) {
            result.push_back(code);
            i += static_cast<std::size_t>(length);
        } else {
            result.push_back(lead);
            ++i;
        }
    }
    return result;
}

}  // namespace tev
