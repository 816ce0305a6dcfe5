#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "render/GlyphBuffer.h"
#include "render/MemoryBlock.h"

namespace quenta::core {
namespace {

TEST(GlyphBuffer, CreateLaysOutAlignedAlphaRows) {
    struct Case {
        int32_t width, height, pitch;
    };
    for (const Case& c : {Case{256, 256, 256}, Case{250, 10, 256}, Case{1, 3, 8}, Case{9, 2, 16}}) {
        GlyphBuffer buffer;
        ASSERT_TRUE(buffer.Create(c.width, c.height, true));
        EXPECT_EQ(buffer.GetAlphaPitch(), c.pitch);
        EXPECT_EQ(buffer.alphaMemory.GetSize(), c.pitch * c.height + 24);
        EXPECT_EQ(buffer.GetWidth(), c.width);
        EXPECT_EQ(buffer.GetHeight(), c.height);
        EXPECT_FALSE(buffer.HasPixels());
        EXPECT_TRUE(buffer.HasAlpha());
        EXPECT_EQ(buffer.GetDepth(), 0);
        EXPECT_EQ(buffer.GetPitch(), 0);
        for (int32_t y = 0; y < c.height; ++y) {
            uint8_t* row = buffer.GetAlphaAddress(0, y);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(row) % 8, 0u);
            if (y) {
                EXPECT_EQ(row - buffer.GetAlphaAddress(0, y - 1), c.pitch);
            }
        }
        // The whole plane lies inside the block.
        auto* block = static_cast<uint8_t*>(buffer.alphaMemory.GetPointer());
        uint8_t* last = buffer.GetAlphaAddress(c.width - 1, c.height - 1);
        EXPECT_LT(last, block + buffer.alphaMemory.GetSize());
        std::memset(buffer.GetAlphaAddress(0, 0), 0xAB, static_cast<size_t>(c.pitch) * c.height);
    }
}

TEST(GlyphBuffer, RejectsEmptySizesAndKeepsWhatItHad) {
    GlyphBuffer buffer;
    EXPECT_FALSE(buffer.HasAlpha());
    for (auto [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-1, 5}, std::pair{5, -3}}) {
        EXPECT_FALSE(buffer.Create(w, h, true));
    }
    EXPECT_FALSE(buffer.HasAlpha());
    ASSERT_TRUE(buffer.Create(16, 4, true));
    EXPECT_FALSE(buffer.Create(0, 4, true));
    EXPECT_EQ(buffer.GetWidth(), 16);
    EXPECT_TRUE(buffer.HasAlpha());
    // Rows outside the buffer have no address rather than a wild one.
    EXPECT_EQ(buffer.GetAlphaAddress(0, 4), nullptr);
    EXPECT_EQ(buffer.GetAlphaAddress(0, -1), nullptr);
    EXPECT_EQ(buffer.GetPixelAddress(0, 0), nullptr);
}

TEST(GlyphBuffer, CountsOnlyWhenCounted) {
    GlyphBuffer* counted = GlyphBuffer::CreateOnHeap(8, 8, true);
    ASSERT_NE(counted, nullptr);
    EXPECT_EQ(counted->AddRef(), 2);
    EXPECT_EQ(counted->Release(), 1);
    EXPECT_EQ(counted->Release(), 0);  // destroyed; the sanitizer build checks the free

    GlyphBuffer* uncounted = GlyphBuffer::CreateOnHeap(8, 8, false);
    ASSERT_NE(uncounted, nullptr);
    EXPECT_EQ(uncounted->AddRef(), 1);
    EXPECT_EQ(uncounted->Release(), 0);  // at once

    GlyphBuffer member;
    EXPECT_EQ(member.Release(), 0);  // never created: nothing to do
    ASSERT_TRUE(member.Create(8, 8, false));
    EXPECT_EQ(member.Release(), 0);  // a buffer held by value gives up its storage
    EXPECT_FALSE(member.HasAlpha());
    EXPECT_EQ(member.GetAlphaAddress(0, 0), nullptr);
}

TEST(MemoryBlock, AllocResizeAndFree) {
    MemoryBlock block;
    EXPECT_EQ(block.AddRef(), 1);
    EXPECT_EQ(block.Release(), 0);
    EXPECT_FALSE(block.Alloc(0));
    EXPECT_FALSE(block.Resize(-1));
    EXPECT_EQ(block.GetPointer(), nullptr);
    EXPECT_EQ(block.GetSize(), 0);

    ASSERT_TRUE(block.Resize(16));  // an empty block resizes as Alloc
    EXPECT_EQ(block.GetSize(), 16);
    std::memcpy(block.GetPointer(), "0123456789abcdef", 16);
    ASSERT_TRUE(block.Resize(4096));
    EXPECT_EQ(block.GetSize(), 4096);
    EXPECT_EQ(std::memcmp(block.GetPointer(), "0123456789abcdef", 16), 0);
    ASSERT_TRUE(block.Resize(4));
    EXPECT_EQ(block.GetSize(), 4);
    EXPECT_EQ(std::memcmp(block.GetPointer(), "0123", 4), 0);

    EXPECT_FALSE(block.Alloc(-5));
    EXPECT_EQ(block.GetSize(), 4);  // a refused Alloc changes nothing
    ASSERT_TRUE(block.Alloc(100));
    EXPECT_EQ(block.GetSize(), 100);
    block.Free();
    EXPECT_EQ(block.GetPointer(), nullptr);
    EXPECT_EQ(block.GetSize(), 0);
    block.Free();
}

}  // namespace
}  // namespace quenta::core
