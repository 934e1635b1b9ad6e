#pragma once

// What the bitmap reader and the replay parser must make of any input at all, shared by the
// fuzz targets and by the regression test that runs their corpus in the normal test suite.
// Any exception other than the reader's own error escapes: to libFuzzer that is a crash.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "offscreen_backend.hpp"
#include "replay_script.hpp"
#include "tev/bitmap.hpp"
#include "tev/runtime_error.hpp"

namespace tev::fuzz {

// Decodes `bytes` as a bitmap: answers what is wrong with the outcome, or "" when it is right,
// a whole picture or a RuntimeError that names the bitmap.
inline std::string checkBitmapInput(std::span<const std::uint8_t> bytes) {
    try {
        const Bitmap bitmap = decodeBmp(bytes, "fuzz.bmp");
        if (bitmap.width < 1 || bitmap.height < 1 || bitmap.width > 4096 || bitmap.height > 4096) {
            return "decoded a picture of " + std::to_string(bitmap.width) + " x " +
                   std::to_string(bitmap.height);
        }
        if (bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
            return "decoded " + std::to_string(bitmap.pixels.size()) + " pixels for " +
                   std::to_string(bitmap.width) + " x " + std::to_string(bitmap.height);
        }
        for (const std::uint32_t pixel : bitmap.pixels) {
            if (pixel > 0xFFFFFFu) {
                return "decoded a pixel with more than 24 bits of color";
            }
        }
    } catch (const RuntimeError& e) {
        if (!std::string_view(e.what()).starts_with("fuzz.bmp: ")) {
            return std::string("an error that does not name the bitmap: ") + e.what();
        }
    }
    return "";
}

// Loads `text` as a replay into a script that is never played (its screenshot actions would
// write files): answers what is wrong with the outcome, or "" when it is right, a loaded
// script or a ReplayError that names the file and the line.
inline std::string checkReplayInput(std::string_view text) {
    OffscreenBackend backend;
    try {
        loadReplay(text, "fuzz.replay", backend);
    } catch (const ReplayError& e) {
        const std::string_view message = e.what();
        const std::string_view prefix = "fuzz.replay:";
        const std::size_t digits = message.find_first_not_of("0123456789", prefix.size());
        if (!message.starts_with(prefix) || digits == prefix.size() ||
            message.substr(digits, 2) != ": ") {
            return std::string("an error that does not name the file and line: ") + e.what();
        }
    }
    return "";
}

}  // namespace tev::fuzz
