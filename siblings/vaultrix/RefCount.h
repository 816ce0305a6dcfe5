// The reference count behind AddRef and Release. Atomic, since a host may
// hand the objects of this module to other threads.
#pragma once

#include <atomic>
#include <cstdint>

namespace quenta::vaultrix {

class RefCount {
public:
    int32_t Add() { return ++count_; }
    // The count left; 0 means the caller must destroy the object.
    int32_t Drop() { return --count_; }

private:
    std::atomic<int32_t> count_{1};
};

}  // namespace quenta::vaultrix
