// How much memory the process holds, for tests that check that memory grows
// with what a renderer keeps and comes back when it ends.
#pragma once

#include <sys/resource.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define QUENTA_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUENTA_HEAP_FROM_SANITIZER 1
#endif
#endif

#if defined(QUENTA_HEAP_FROM_SANITIZER)
// Both compilers' AddressSanitizer runtimes have it; only clang ships the header.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace quenta::testing {

// Bytes handed out by the heap and not yet given back. Under
// AddressSanitizer, whose allocator replaces glibc's, its own count.
inline size_t HeapInUse() {
#if defined(QUENTA_HEAP_FROM_SANITIZER)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// The most resident memory the process has had, in bytes.
inline size_t PeakResidentBytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<size_t>(usage.ru_maxrss) * 1024;
}

}  // namespace quenta::testing
