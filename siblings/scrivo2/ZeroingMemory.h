// The memory a painter's FreeType library allocates from: every new block
// comes zeroed. FreeType 2.12's cache manager never sets its running byte
// count and relies on the block being clean; on a heap that has been used it
// would start far over its limit and flush on every look-up.
//
// It also counts the blocks handed out, so that tests can see a paint from
// a warm cache allocate nothing (a glyph rendered anew always allocates).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYSTEM_H

#include <cstdint>

namespace quenta::scrivo2 {

class ZeroingMemory {
public:
    ZeroingMemory();
    ZeroingMemory(const ZeroingMemory&) = delete;
    ZeroingMemory& operator=(const ZeroingMemory&) = delete;

    // For FT_New_Library; must outlive the library.
    FT_Memory Get() { return &memory_; }
    int64_t AllocatedBlocks() const { return allocated_; }

private:
    static void* Alloc(FT_Memory memory, long size);
    static void Free(FT_Memory memory, void* block);
    static void* Realloc(FT_Memory memory, long currentSize, long newSize, void* block);

    FT_MemoryRec_ memory_{};
    int64_t allocated_ = 0;
};

}  // namespace quenta::scrivo2
