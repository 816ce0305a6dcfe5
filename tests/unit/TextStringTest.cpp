#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "layout/TextString.h"

namespace quenta::core {
namespace {

TEST(TextString, ConstructsWithExactCapacity) {
    struct Case {
        const char* source;
        int32_t length;
        int32_t capacity;
    };
    for (const Case& c : {Case{nullptr, 0, 1}, Case{"", 0, 1}, Case{"abc", 3, 4},
                          Case{"\x82\xA0", 2, 3}}) {
        TextString s(c.source);
        EXPECT_EQ(s.Length(), c.length) << (c.source ? c.source : "(null)");
        EXPECT_EQ(s.capacity, c.capacity);
        ASSERT_NE(s.data, nullptr);
        EXPECT_EQ(s.data[c.length], '\0');
    }
}

TEST(TextString, CopyOwnsItsBufferAndDropsSpareCapacity) {
    TextString original("a long piece of text");
    original.Assign("ab");
    ASSERT_EQ(original.capacity, 21);
    TextString copy(original);
    EXPECT_EQ(copy.capacity, 3);
    EXPECT_STREQ(copy.data, "ab");
    EXPECT_NE(copy.data, original.data);
    copy.data[0] = 'X';
    EXPECT_STREQ(original.data, "ab");
}

TEST(TextString, AssignGrowsExactlyAndNeverShrinks) {
    TextString s("abc");
    s.Assign("");
    EXPECT_EQ(s.Length(), 0);
    EXPECT_EQ(s.capacity, 4);
    s.Assign("abcdefg");
    EXPECT_EQ(s.capacity, 8);
    EXPECT_STREQ(s.data, "abcdefg");
    s.Assign("xy");
    EXPECT_EQ(s.capacity, 8);
    EXPECT_STREQ(s.data, "xy");
    s.Assign(nullptr);
    EXPECT_EQ(s.Length(), 0);
    EXPECT_EQ(s.capacity, 8);
}

TEST(TextString, AssignBytesTakesAnExactCount) {
    TextString s;
    s.Assign("<S24>", 2);
    EXPECT_STREQ(s.data, "<S");
    EXPECT_EQ(s.capacity, 3);
}

TEST(TextString, EqualsIsByteExact) {
    struct Case {
        const char* contents;
        const char* other;
        bool equal;
    };
    for (const Case& c : {Case{"", nullptr, false}, Case{"", "", true}, Case{"S", "S", true},
                          Case{"S", "SPW", false}, Case{"SPW", "S", false}, Case{"b", "B", false},
                          Case{"\x82\xA0", "\x82\xA0", true}, Case{"\x82\xA0", "\x82\xA1", false}}) {
        TextString s(c.contents);
        EXPECT_EQ(s.Equals(c.other), c.equal) << c.contents << " vs " << (c.other ? c.other : "(null)");
    }
}

TEST(TextString, MovedFromStringHasNoBufferAndAssignLeavesItAlone) {
    TextString source("abc");
    TextString moved(std::move(source));
    EXPECT_STREQ(moved.data, "abc");
    EXPECT_EQ(source.capacity, 0);  // NOLINT(bugprone-use-after-move): the state is the point
    EXPECT_EQ(source.Length(), 0);
    source.Assign("xyz");
    EXPECT_EQ(source.data, nullptr);
    EXPECT_FALSE(source.Equals("xyz"));
}

// Strings of one character keep their bytes inside themselves; they must
// carry them along when a growing vector moves them and the old copies die,
// and move out to the heap once they outgrow that room.
TEST(TextString, ShortStringsSurviveMovesAndGrowth) {
    std::vector<TextString> strings;
    for (int i = 0; i < 100; ++i) {
        const char bytes[3] = {static_cast<char>(0x82), static_cast<char>(0x9F + i % 80), '\0'};
        strings.emplace_back(i % 2 ? bytes : "x");
    }
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(strings[static_cast<size_t>(i)].Length(), i % 2 ? 2 : 1) << i;
        if (i % 2) {
            EXPECT_EQ(static_cast<unsigned char>(strings[static_cast<size_t>(i)].data[1]), 0x9F + i % 80);
        }
    }
    std::optional<TextString> source(std::in_place, "\x82\xA0");
    TextString taken(std::move(*source));
    source.emplace("z");  // new contents where the old string lay
    EXPECT_STREQ(taken.data, "\x82\xA0");

    TextString s("ab");
    s.Assign("abcdefghij");
    EXPECT_STREQ(s.data, "abcdefghij");
    EXPECT_EQ(s.capacity, 11);
    TextString moved(std::move(s));
    EXPECT_STREQ(moved.data, "abcdefghij");
}

}  // namespace
}  // namespace quenta::core
