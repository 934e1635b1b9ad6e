#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tev {

// The character cell of the text grid, in pixels.
inline constexpr int CellWidth = 8;
inline constexpr int CellHeight = 16;

using GlyphRows = std::array<std::uint8_t, CellHeight>;

// The glyph of a character in the built-in 8 x 16 console font: its rows top first, the
// most significant bit leftmost. Characters the font lacks show as "?".
const GlyphRows& glyphFor(char32_t character);

// Decodes UTF-8 text into characters; a byte that is not part of valid UTF-8 stands for the
// Latin-1 character of the same value, so no input is lost or rejected.
std::u32string decodeText(std::string_view text);

}  // namespace tev
