#include "heap_in_use.hpp"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TEV_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TEV_ADDRESS_SANITIZER 1
#endif

#ifdef TEV_ADDRESS_SANITIZER
// Part of the sanitizer runtime's public interface; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace tev::testing {

std::size_t heapBytesInUse() {
#ifdef TEV_ADDRESS_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    // Large blocks live in their own mappings, which glibc counts apart from the heap.
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

}  // namespace tev::testing
