// libFuzzer target for the bitmap reader (see input_checks.hpp); the address sanitizer
// catches any read outside the bytes given.
#include <cstddef>
#include <cstdint>

#include "input_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!tev::fuzz::checkBitmapInput({data, size}).empty()) {
        __builtin_trap();
    }
    return 0;
}
