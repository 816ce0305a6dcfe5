#include "EditorIndex.h"

#include <gtest/gtest.h>

namespace quenta::preview {
namespace {

struct IndexCase {
    const char* utf8;
    int32_t index;
};

class EditorIndexTest : public testing::TestWithParam<IndexCase> {};

TEST_P(EditorIndexTest, CountsUtf16CodeUnits) { EXPECT_EQ(EditorIndex(GetParam().utf8), GetParam().index); }

INSTANTIATE_TEST_SUITE_P(Texts, EditorIndexTest,
                         testing::Values(IndexCase{"", 0}, IndexCase{"<R>", 3}, IndexCase{"\xC3\xA9t\xC3\xA9", 3},
                                         IndexCase{"\xE7\xAB\x9C\xE6\xA3\xAE", 2},       // two kanji
                                         IndexCase{"a\xF0\x9F\x98\x80" "b", 4}));       // an emoji takes two

}  // namespace
}  // namespace quenta::preview
