// Build-time tool: converts an 8 x 16 PC screen font (PSF version 1 or 2, uncompressed) into
// the C++ glyph table of the platform's text grid: one glyph for each character U+0000 to
// U+00FF, found through the font's Unicode table when it has one.
//
//   psf_to_glyphs FONT.psf OUTPUT.cpp

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Font {
    std::uint32_t glyphCount = 0;
    std::uint32_t glyphBytes = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::size_t glyphOffset = 0;
    std::size_t unicodeOffset = 0;  // 0 when the font has no Unicode table
    bool utf8Table = false;         // PSF2 tables are UTF-8, PSF1 tables UCS-2
};

[[noreturn]] void fail(const std::string& message) {
    std::cerr << "psf_to_glyphs: " << message << "\n";
    std::exit(1);
}

std::uint32_t u32(const std::vector<unsigned char>& b, std::size_t at) {
    if (at + 4 > b.size())
        fail("truncated header");
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

Font readHeader(const std::vector<unsigned char>& b) {
    Font font;
    if (b.size() >= 4 && b[0] == 0x36 && b[1] == 0x04) {
        const unsigned mode = b[2];
        font.glyphCount = (mode & 0x01) ? 512 : 256;
        font.glyphBytes = b[3];
        font.width = 8;
        font.height = b[3];
        font.glyphOffset = 4;
        if (mode & 0x06)
            font.unicodeOffset = 4 + std::size_t{font.glyphCount} * font.glyphBytes;
    } else if (b.size() >= 32 && u32(b, 0) == 0x864AB572u) {
        const std::uint32_t headerSize = u32(b, 8);
        const std::uint32_t flags = u32(b, 12);
        font.glyphCount = u32(b, 16);
        font.glyphBytes = u32(b, 20);
        font.height = u32(b, 24);
        font.width = u32(b, 28);
        font.glyphOffset = headerSize;
        font.utf8Table = true;
        if (flags & 0x01)
            font.unicodeOffset = headerSize + std::size_t{font.glyphCount} * font.glyphBytes;
    } else {
        fail("not a PC screen font");
    }
    if (font.width != 8 || font.height != 16 || font.glyphBytes != 16) {
        fail("the font is " + std::to_string(font.width) + " x " + std::to_string(font.height) +
             ", expected 8 x 16");
    }
    if (font.glyphOffset + std::size_t{font.glyphCount} * font.glyphBytes > b.size()) {
        fail("truncated glyph data");
    }
    return font;
}

// Maps characters U+0000..U+00FF to glyph indexes from the Unicode table.
std::array<long, 256> readUnicodeTable(const std::vector<unsigned char>& b, const Font& font) {
    std::array<long, 256> glyphOf;
    glyphOf.fill(-1);
    if (font.unicodeOffset == 0) {
        for (std::uint32_t c = 0; c < 256 && c < font.glyphCount; ++c)
            glyphOf[c] = c;
        return glyphOf;
    }
    std::size_t at = font.unicodeOffset;
    for (std::uint32_t glyph = 0; glyph < font.glyphCount && at < b.size(); ++glyph) {
        bool inSequence = false;  // characters after a sequence marker form combinations
        while (at < b.size()) {
            std::uint32_t code;
            if (font.utf8Table) {
                const unsigned char lead = b[at];
                if (lead == 0xFF) {
                    ++at;
                    break;
                }
                if (lead == 0xFE) {
                    inSequence = true;
                    ++at;
                    continue;
                }
                int length = lead < 0x80             ? 1
                             : (lead & 0xE0) == 0xC0 ? 2
                             : (lead & 0xF0) == 0xE0 ? 3
                                                     : 4;
                code = length == 1 ? lead : lead & (0x3F >> (length - 1));
                for (int k = 1; k < length && at + k < b.size(); ++k)
                    code = (code << 6) | (b[at + k] & 0x3F);
                at += length;
            } else {
                if (at + 2 > b.size())
                    break;
                code = b[at] | (b[at + 1] << 8);
                at += 2;
                if (code == 0xFFFF)
                    break;
                if (code == 0xFFFE) {
                    inSequence = true;
                    continue;
                }
            }
            if (!inSequence && code < 256 && glyphOf[code] < 0)
                glyphOf[code] = glyph;
        }
    }
    return glyphOf;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: psf_to_glyphs FONT.psf OUTPUT.cpp\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in)
        fail(std::string("cannot read ") + argv[1]);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    const Font font = readHeader(bytes);
    const std::array<long, 256> glyphOf = readUnicodeTable(bytes, font);
    if (glyphOf['?'] < 0)
        fail("the font has no \"?\" glyph");

    std::ofstream out(argv[2]);
    out << "// Generated by psf_to_glyphs from " << argv[1] << "; do not edit.\n"
        << "#include \"tev/font.hpp\"\n\nnamespace tev {\n\n"
        << "extern const std::array<GlyphRows, 256> kConsoleGlyphs;\n"
        << "extern const std::array<bool, 256> kConsoleGlyphPresent;\n\n"
        << "const std::array<GlyphRows, 256> kConsoleGlyphs = {{\n";
    for (int c = 0; c < 256; ++c) {
        out << "    {{";
        for (int row = 0; row < 16; ++row) {
            const int value = glyphOf[c] < 0 ? 0 : bytes[font.glyphOffset + glyphOf[c] * 16 + row];
            out << value << (row < 15 ? ", " : "");
        }
        out << "}},\n";
    }
    out << "}};\n\nconst std::array<bool, 256> kConsoleGlyphPresent = {{\n";
    for (int c = 0; c < 256; ++c)
        out << (glyphOf[c] < 0 ? "false," : "true,") << (c % 16 == 15 ? "\n" : " ");
    out << "}};\n\n}  // namespace tev\n";
    return out ? 0 : 1;
}
