#include <gtest/gtest.h>

#include "render/BlendTable.h"

namespace quenta::core {
namespace {

TEST(BlendTable, HoldsTruncatedProducts) {
    BlendTable table;
    EXPECT_FALSE(table.IsBuilt());
    ASSERT_TRUE(table.Build());
    struct Case {
        int i, j, product;
    };
    for (const Case& c : {Case{0, 77, 0}, Case{255, 77, 77}, Case{128, 128, 64}, Case{255, 255, 255},
                          Case{254, 254, 253}, Case{100, 200, 78}, Case{1, 255, 1}}) {
        EXPECT_EQ(table.rows[c.i][c.j], c.product) << c.i << " x " << c.j;
    }
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(table.rows[i], table.rows[0] + 256 * i);
        for (int j = 0; j < 256; ++j) {
            ASSERT_EQ(table.rows[i][j], i * j / 255);
            ASSERT_EQ(table.rows[i][j], table.rows[j][i]);
        }
    }
}

TEST(BlendTable, RebuildsAndFrees) {
    BlendTable table;
    ASSERT_TRUE(table.Build());
    ASSERT_TRUE(table.Build());
    EXPECT_EQ(table.rows[128][128], 64);
    table.Free();
    EXPECT_FALSE(table.IsBuilt());
    table.Free();
}

}  // namespace
}  // namespace quenta::core
