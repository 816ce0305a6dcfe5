// A C++ object called through quenta.h's C table: each slot reaches the
// operation the C++ interface has there.
#include <gtest/gtest.h>

#include "quenta/BitmapSurface.h"
#include "quenta/quenta.h"

namespace quenta::testing {
namespace {

TEST(CTablesTest, TheSurfaceTableCallsTheSurfacesOperationsInSlotOrder) {
    BitmapPtr bitmap(BitmapSurface::Create(7, 5, 32, true, false));
    ASSERT_TRUE(bitmap);
    Surface* cpp = bitmap.get();
    auto* c = reinterpret_cast<QuentaSurface*>(cpp);
    EXPECT_EQ(c->table->AddRef(c), 2);
    EXPECT_EQ(c->table->Release(c), 1);
    EXPECT_EQ(c->table->GetPixelAddress(c, 3, 2), cpp->GetPixelAddress(3, 2));
    EXPECT_EQ(c->table->GetAlphaAddress(c, 3, 2), nullptr);
    EXPECT_EQ(c->table->GetWidth(c), 7);
    EXPECT_EQ(c->table->GetHeight(c), 5);
    EXPECT_EQ(c->table->GetDepth(c), 32);
    EXPECT_EQ(c->table->GetPitch(c), 28);
    EXPECT_EQ(c->table->GetAlphaPitch(c), 0);
    EXPECT_TRUE(c->table->HasPixels(c));
    EXPECT_FALSE(c->table->HasAlpha(c));
}

}  // namespace
}  // namespace quenta::testing
