// A failed Result hands out its type's empty value and never throws; a
// successful one an empty error.
#include <gtest/gtest.h>

#include <type_traits>

#include "quenta/HostResult.h"
#include "quenta/MessageRenderer.h"
#include "quenta/Ref.h"

namespace quenta::testing {
namespace {

using host::HostError;
using host::Result;

TEST(ResultTest, AFailedResultHandsOutTheEmptyValueWithoutThrowing) {
    Result<Ref<IMessageRenderer>> failed = HostError{"Quenta", "is not loaded"};
    ASSERT_FALSE(failed);
    static_assert(noexcept(*failed) && noexcept(failed.Take()) && noexcept(failed.Error()));
    EXPECT_EQ(failed->get(), nullptr);
    EXPECT_EQ((*failed).get(), nullptr);
    Ref<IMessageRenderer> taken = failed.Take();
    EXPECT_EQ(taken.get(), nullptr);
    EXPECT_EQ(failed.Error().Describe(), "Quenta: is not loaded");

    Result<void*> pointer = HostError{"Pictura", "has no export CreateInterface"};
    EXPECT_EQ(*pointer, nullptr);
    EXPECT_EQ(pointer.Take(), nullptr);
}

TEST(ResultTest, ASuccessfulResultHoldsItsValueAndAnEmptyError) {
    int value = 7;
    Result<void*> made = static_cast<void*>(&value);
    ASSERT_TRUE(made);
    EXPECT_EQ(*made, &value);
    EXPECT_TRUE(made.Error().module.empty());
    EXPECT_TRUE(made.Error().reason.empty());

    const Result<void> done;
    EXPECT_TRUE(done);
    EXPECT_TRUE(done.Error().module.empty());
    const Result<void> failed = HostError{"Vaultrix", "cannot open 'x'"};
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.Error().module, "Vaultrix");
}

}  // namespace
}  // namespace quenta::testing
