#include "PictureNames.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quenta::script {
namespace {

struct NameCase {
    const char* pattern;
    int32_t number;
    const char* name;
};

class PictureNameCases : public ::testing::TestWithParam<NameCase> {};

TEST_P(PictureNameCases, FillTheRunOfHashes) {
    EXPECT_EQ(PictureNames(GetParam().pattern).For(GetParam().number), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Patterns, PictureNameCases,
                         ::testing::Values(NameCase{"####.png", 7, "0007.png"}, NameCase{"####.png", 12345, "12345.png"},
                                           NameCase{"line-#.png", 7, "line-7.png"},
                                           NameCase{"ch1-###-ja.png", 42, "ch1-042-ja.png"}));

TEST(PictureNames, RefusesPatternsThatNameNoPictureInTheFolder) {
    for (const char* bad : {"plain.png", "#-#.png", "sub/####.png", "####.jpg", "..\\#.png"}) {
        EXPECT_THROW(PictureNames{bad}, std::invalid_argument) << bad;
    }
}

}  // namespace
}  // namespace quenta::script
