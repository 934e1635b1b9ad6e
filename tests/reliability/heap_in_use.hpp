#pragma once

#include <cstddef>

namespace tev::testing {

// The bytes the allocator has handed out and not yet taken back, from the allocator's own
// statistics: the sanitizer's allocator when it replaces malloc, glibc's mallinfo2 otherwise.
// Resident memory would also count pages the allocator keeps cached after a free.
std::size_t heapBytesInUse();

}  // namespace tev::testing
