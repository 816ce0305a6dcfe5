// The slot guard: whatever a slot's body throws becomes its failure value.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

#include "quenta/SlotGuard.h"

namespace quenta {
namespace {

enum class Throw { kNothing, kBadAlloc, kRuntimeError, kInt };

void Raise(Throw what) {
    switch (what) {
        case Throw::kNothing: return;
        case Throw::kBadAlloc: throw std::bad_alloc();
        case Throw::kRuntimeError: throw std::runtime_error("slot body failed");
        case Throw::kInt: throw 42;
    }
}

class SlotGuard : public ::testing::TestWithParam<Throw> {};

TEST_P(SlotGuard, AnswersTheFailureValueOfEachResultType) {
    const Throw what = GetParam();
    const bool thrown = what != Throw::kNothing;
    int sentinel = 0;

    void* pointer = Guarded([&]() -> void* {
        Raise(what);
        return &sentinel;
    });
    EXPECT_EQ(pointer, thrown ? nullptr : &sentinel);

    const bool flag = Guarded([&] {
        Raise(what);
        return true;
    });
    EXPECT_EQ(flag, !thrown);

    const int32_t count = Guarded([&]() -> int32_t {
        Raise(what);
        return 7;
    });
    EXPECT_EQ(count, thrown ? 0 : 7);

    const std::uintptr_t handle = Guarded([&]() -> std::uintptr_t {
        Raise(what);
        return 0x1234;
    });
    EXPECT_EQ(handle, thrown ? 0u : 0x1234u);

    // A failure value of the slot's own choosing.
    const int32_t chosen = Guarded(int32_t{-1}, [&]() -> int32_t {
        Raise(what);
        return 5;
    });
    EXPECT_EQ(chosen, thrown ? -1 : 5);

    // A body without a result stops where it threw.
    std::string steps;
    Guarded([&] {
        steps += "a";
        Raise(what);
        steps += "b";
    });
    EXPECT_EQ(steps, thrown ? "a" : "ab");
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfThrow, SlotGuard,
                         ::testing::Values(Throw::kNothing, Throw::kBadAlloc, Throw::kRuntimeError, Throw::kInt));

TEST(SlotGuardCall, IsNoexceptWhateverTheBody) {
    auto throwing = []() -> int32_t { throw std::runtime_error("x"); };
    static_assert(noexcept(Guarded(throwing)));
    static_assert(noexcept(Guarded(int32_t{1}, throwing)));
    EXPECT_EQ(Guarded(throwing), 0);
}

}  // namespace
}  // namespace quenta
