// One locked global-memory block: allocated, resized and freed as a whole,
// at a stable address from allocation to freeing.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace quenta::core {

class MemoryBlock {
public:
    MemoryBlock() = default;
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;
    virtual ~MemoryBlock();

    virtual int32_t AddRef() { return 1; }   // counts nothing
    virtual int32_t Release() { return 0; }  // does nothing
    virtual bool Alloc(int32_t bytes);
    virtual bool Resize(int32_t bytes);
    virtual void Free();
    virtual int32_t GetSize() { return size; }
    virtual void* GetPointer() { return pointer; }

    platform::GlobalHandle handle = nullptr;
    void* pointer = nullptr;
    int32_t size = 0;
};

}  // namespace quenta::core
