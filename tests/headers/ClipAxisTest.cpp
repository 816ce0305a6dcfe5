// The shared clip of one axis of a rectangle copied between two surfaces.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

#include "quenta/ClipAxis.h"

namespace quenta {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct Case {
    const char* what;
    int32_t d, s, extent, target, source;  // in
    bool kept;
    int32_t outD, outS, outExtent;  // out
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class ClipAxisCases : public ::testing::TestWithParam<Case> {};

TEST_P(ClipAxisCases, ClipsInOrderDestinationSourceTargetEdgeSourceEdge) {
    const Case& c = GetParam();
    int32_t d = c.d, s = c.s, extent = c.extent;
    EXPECT_EQ(ClipAxis(d, s, extent, c.target, c.source), c.kept) << c.what;
    EXPECT_EQ(extent, c.outExtent) << c.what;
    EXPECT_EQ(d, c.outD) << c.what;
    EXPECT_EQ(s, c.outS) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClipAxisCases,
    ::testing::Values(
        Case{"inside both", 2, 3, 4, 10, 10, true, 2, 3, 4},
        Case{"cut at the target's end", 8, 0, 5, 10, 20, true, 8, 0, 2},
        Case{"cut at the source's end", 0, 17, 5, 20, 20, true, 0, 17, 3},
        Case{"before the target moves both starts", -3, 1, 6, 10, 10, true, 0, 4, 3},
        Case{"before the source moves both starts", 1, -2, 6, 10, 10, true, 3, 0, 4},
        // The target's start is moved first: its shift pushes the source's
        // start from -2 to 1, so the source needs no move of its own.
        Case{"target first, then source", -3, -2, 10, 10, 10, true, 0, 1, 7},
        Case{"source moved after the target", -1, -4, 10, 10, 10, true, 3, 0, 6},
        Case{"target edge before source edge", 5, 5, 10, 8, 7, true, 5, 5, 2},
        Case{"wholly before the target", -10, 0, 5, 10, 10, false, 0, 10, 0},
        Case{"wholly after the target", 10, 0, 5, 10, 10, false, 10, 0, 0},
        Case{"empty to begin with", 1, 1, 0, 10, 10, false, 1, 1, 0},
        Case{"negative extent", 1, 1, -5, 10, 10, false, 1, 1, 0},
        Case{"empty target", 0, 0, 5, 0, 10, false, 0, 0, 0},
        Case{"empty source", 0, 0, 5, 10, 0, false, 0, 0, 0},
        // Near the int32 limits nothing wraps: 64-bit sums, starts capped.
        Case{"start at the minimum", kMin, 0, kMax, 100, 100, false, 0, kMax, 0},
        Case{"source at the minimum", 0, kMin, kMax, 100, 100, false, kMax, 0, 0},
        Case{"huge extent from the maximum", kMax, 0, kMax, 100, 100, false, kMax, 0, 0},
        Case{"huge extent inside", 10, 20, kMax, 100, 100, true, 10, 20, 80},
        Case{"from the minimum a huge extent reaches in", kMin + 5, kMin + 5, kMax, 100, 100, true, 0, 0, 4},
        Case{"moved past the source's end", -1000, 0, 1010, 100, 100, false, 0, 1000, 0}));

}  // namespace
}  // namespace quenta
