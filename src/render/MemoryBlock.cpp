#include "render/MemoryBlock.h"

namespace quenta::core {

MemoryBlock::~MemoryBlock() { MemoryBlock::Free(); }

bool MemoryBlock::Alloc(int32_t bytes) {
    if (bytes <= 0) return false;
    Free();
    handle = platform::GlobalAllocMoveable(bytes);
    if (!handle) return false;
    pointer = platform::GlobalLockBlock(handle);
    if (!pointer) {
        platform::GlobalFreeBlock(handle);
        handle = nullptr;
        return false;
    }
    size = bytes;
    return true;
}

bool MemoryBlock::Resize(int32_t bytes) {
    if (bytes <= 0) return false;
    if (!handle) return Alloc(bytes);
    if (platform::GlobalUnlockBlock(handle)) return false;
    platform::GlobalHandle moved = platform::GlobalReAllocMoveable(handle, bytes);
    if (!moved) {
        // The old block is still there, unlocked: free it rather than lose it.
        platform::GlobalFreeBlock(handle);
        handle = nullptr;
        pointer = nullptr;
        size = 0;
        return false;
    }
    handle = moved;
    pointer = platform::GlobalLockBlock(handle);
    if (!pointer) {
        platform::GlobalFreeBlock(handle);
        handle = nullptr;
        size = 0;
        return false;
    }
    size = bytes;
    return true;
}

void MemoryBlock::Free() {
    if (!handle) return;
    if (platform::GlobalUnlockBlock(handle)) return;
    handle = platform::GlobalFreeBlock(handle);
    if (!handle) {
        pointer = nullptr;
        size = 0;
    }
}

}  // namespace quenta::core
