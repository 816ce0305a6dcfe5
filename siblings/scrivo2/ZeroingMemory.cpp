#include "ZeroingMemory.h"

#include <cstddef>
#include <cstdlib>

namespace quenta::scrivo2 {

ZeroingMemory::ZeroingMemory() {
    memory_.user = this;
    memory_.alloc = &Alloc;
    memory_.free = &Free;
    memory_.realloc = &Realloc;
}

void* ZeroingMemory::Alloc(FT_Memory memory, long size) {
    if (size <= 0) return nullptr;
    void* block = std::calloc(1, static_cast<size_t>(size));
    if (block) ++static_cast<ZeroingMemory*>(memory->user)->allocated_;
    return block;
}

void ZeroingMemory::Free(FT_Memory, void* block) { std::free(block); }

// FreeType zeroes what it needs of a grown block itself.
// (FreeType never reallocates to nothing: it frees instead.)
void* ZeroingMemory::Realloc(FT_Memory, long, long newSize, void* block) {
    return std::realloc(block, static_cast<size_t>(newSize));
}

}  // namespace quenta::scrivo2
