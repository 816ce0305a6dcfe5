#include "PictureStore.h"

#include <gtest/gtest.h>

namespace quenta::preview {
namespace {

TEST(PictureStoreTest, KeepsOnlyTheNewestPictures) {
    PictureStore store(2);
    const int64_t first = store.Add("one");
    const int64_t second = store.Add("two");
    const int64_t third = store.Add("three");
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_EQ(store.Find(first), nullptr);
    ASSERT_NE(store.Find(second), nullptr);
    EXPECT_EQ(*store.Find(second), "two");
    EXPECT_EQ(*store.Find(third), "three");
}

TEST(PictureStoreTest, UnknownNumbersFindNothing) {
    PictureStore store(4);
    store.Add("one");
    EXPECT_EQ(store.Find(0), nullptr);
    EXPECT_EQ(store.Find(-1), nullptr);
    EXPECT_EQ(store.Find(99), nullptr);
}

TEST(PictureStoreTest, APictureHandedOutOutlivesItsDropping) {
    PictureStore store(1);
    const auto held = store.Find(store.Add("kept while sent"));
    store.Add("newer");
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(*held, "kept while sent");
}

}  // namespace
}  // namespace quenta::preview
