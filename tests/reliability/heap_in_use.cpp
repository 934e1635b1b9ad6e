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
#include <sanitizer/allocator_interface.h>
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
