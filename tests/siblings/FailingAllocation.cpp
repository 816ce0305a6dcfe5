#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

// The switch itself: operator new has no other way to learn of it.
bool failing = false;

void* Allocate(std::size_t size) {
    if (failing) return nullptr;
    return std::malloc(size ? size : 1);
}

void* AllocateOrThrow(std::size_t size) {
    void* block = Allocate(size);
    if (!block) throw std::bad_alloc();
    return block;
}

}  // namespace

namespace quenta::testing {

FailingAllocation::FailingAllocation() { failing = true; }
FailingAllocation::~FailingAllocation() { failing = false; }

}  // namespace quenta::testing

// Every non-aligned form, so that each block is freed by the allocator that
// made it (AddressSanitizer checks that).
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
