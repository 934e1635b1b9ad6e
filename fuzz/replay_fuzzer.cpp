// libFuzzer target for the replay-file parser (see input_checks.hpp).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "input_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!tev::fuzz::checkReplayInput(text).empty()) {
        __builtin_trap();
    }
    return 0;
}
