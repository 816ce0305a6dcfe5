// The face names every host and the module share, read back from code page
// 932: a wrong byte in them would make Scrivo2 draw another face.
#include <gtest/gtest.h>

#include "CodePageConversion.h"
#include "quenta/FaceNames.h"

namespace quenta::testing {
namespace {

TEST(FaceNames, AreTheGothicAndMinchoNamesInShiftJis) {
    const text::Conversion gothic = text::Cp932ToUtf8(kGothicFace);
    const text::Conversion mincho = text::Cp932ToUtf8(kMinchoFace);
    ASSERT_EQ(gothic.outcome, text::Conversion::Outcome::kConverted);
    ASSERT_EQ(mincho.outcome, text::Conversion::Outcome::kConverted);
    EXPECT_EQ(gothic.text, "ＭＳ ゴシック");
    EXPECT_EQ(mincho.text, "ＭＳ 明朝");
}

TEST(CodePageConversion, SaysWhereTheFirstCharacterWithoutAFormStands) {
    const text::Conversion there = text::Utf8ToCp932("A\xE8\xB5\xA4<R>");  // 赤
    ASSERT_EQ(there.outcome, text::Conversion::Outcome::kConverted);
    EXPECT_EQ(there.text, "A\x90\xD4<R>");
    const text::Conversion back = text::Cp932ToUtf8(there.text);
    EXPECT_EQ(back.text, "A\xE8\xB5\xA4<R>");
    const text::Conversion refused = text::Utf8ToCp932("ab\xF0\x9F\x98\x80");  // an emoji
    EXPECT_EQ(refused.outcome, text::Conversion::Outcome::kRejected);
    EXPECT_EQ(refused.rejectedAt, 2u);
    // Longer output than input grows the buffer rather than failing.
    const std::string halfWidth(1000, '\xA1');
    const text::Conversion widened = text::Cp932ToUtf8(halfWidth);
    ASSERT_EQ(widened.outcome, text::Conversion::Outcome::kConverted);
    EXPECT_EQ(widened.text.size(), 3000u);
}

}  // namespace
}  // namespace quenta::testing
