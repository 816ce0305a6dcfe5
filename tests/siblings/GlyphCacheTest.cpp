// Scrivo2's glyph cache: each glyph rendered once per face and size, kept
// across sizes within the cache's byte limit, and painting from the cache
// exactly as a fresh render. A glyph rendered anew makes FreeType allocate;
// one found in the cache does not, so the painter's count of FreeType's
// allocations tells the two apart.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "quenta/BitmapSurface.h"
#include "quenta/FaceNames.h"
#include "quenta/Ref.h"
#include "Painter.h"
#include "SurfaceBytes.h"

namespace quenta {
namespace {

using scrivo2::Painter;

// 漢字あ: three distinct glyphs.
constexpr char kThreeGlyphs[] = "\x8A\xBF\x8E\x9A\x82\xA0";

using PainterPtr = Ref<Painter>;

PainterPtr GothicPainter() {
    PainterPtr painter(Painter::Create());
    if (painter) {
        painter->SetColor(0, 0, 0);
        painter->SetFace(kGothicFace);
    }
    return painter;
}

// The colour bytes of a white 32-bit surface after painting `text` at
// `size`, with `painter` in whatever state its cache is.
std::vector<uint8_t> Painted(Painter& painter, int32_t size, const char* text) {
    BitmapPtr surface(BitmapSurface::Create(160, 48, 32, true, false));
    surface->Fill(255, 255, 255);
    painter.SetSize(size);
    painter.PaintText(surface.get(), 3, 5, text);
    return testing::PlaneBytes(*surface);
}

TEST(GlyphCache, EachGlyphIsRenderedOncePerSize) {
    PainterPtr painter = GothicPainter();
    ASSERT_TRUE(painter);
    Painted(*painter, 24, kThreeGlyphs);
    const int64_t threeAt24 = painter->FreeTypeAllocations();
    Painted(*painter, 24, kThreeGlyphs);
    EXPECT_EQ(painter->FreeTypeAllocations(), threeAt24);
    Painted(*painter, 24, "\x82\xA2");  // a new glyph at the same size
    const int64_t fourAt24 = painter->FreeTypeAllocations();
    EXPECT_GT(fourAt24, threeAt24);
    Painted(*painter, 16, kThreeGlyphs);
    const int64_t andThreeAt16 = painter->FreeTypeAllocations();
    EXPECT_GT(andThreeAt16, fourAt24);
    Painted(*painter, 24, "\x82\xA0\x8A\xBF\x82\xA2");  // back to a size already rendered
    EXPECT_EQ(painter->FreeTypeAllocations(), andThreeAt16);
}

// A host's heap is full of freed blocks holding old pointers; a painter made
// there must still find its glyphs again rather than render them anew.
TEST(GlyphCache, KeepsItsGlyphsOnAReusedHeap) {
    std::vector<void*> blocks;
    for (size_t size = 16; size <= 4096; size += 8) {
        void* block = std::malloc(size);
        std::memset(block, 0xA5, size);
        blocks.push_back(block);
    }
    for (void* block : blocks) std::free(block);
    PainterPtr painter = GothicPainter();
    ASSERT_TRUE(painter);
    Painted(*painter, 24, kThreeGlyphs);
    const int64_t rendered = painter->FreeTypeAllocations();
    for (int i = 0; i < 4; ++i) Painted(*painter, 24, kThreeGlyphs);
    EXPECT_EQ(painter->FreeTypeAllocations(), rendered);
}

TEST(GlyphCache, KeepsGlyphsOfEarlierSizes) {
    PainterPtr painter = GothicPainter();
    ASSERT_TRUE(painter);
    for (int32_t size = 10; size < 19; ++size) Painted(*painter, size, "\x82\xA0");
    const int64_t rendered = painter->FreeTypeAllocations();
    Painted(*painter, 10, "\x82\xA0");  // the oldest of nine sizes
    Painted(*painter, 14, "\x82\xA0");
    EXPECT_EQ(painter->FreeTypeAllocations(), rendered);
}

// Twenty kanji near the largest size take more than the cache's 8 MB: the
// least recently used are rendered again, the most recent are kept.
TEST(GlyphCache, ForgetsTheOldestGlyphsBeyondItsByteLimit) {
    PainterPtr painter = GothicPainter();
    ASSERT_TRUE(painter);
    auto kanji = [](int i) {  // 亜, 唖, 娃, ... in code page 932's first kanji row
        return std::string{'\x88', static_cast<char>(0x9F + i)};
    };
    for (int i = 0; i < 20; ++i) Painted(*painter, Painter::kMaxGlyphSize - 24, kanji(i).c_str());
    const int64_t rendered = painter->FreeTypeAllocations();
    Painted(*painter, Painter::kMaxGlyphSize - 24, kanji(19).c_str());
    EXPECT_EQ(painter->FreeTypeAllocations(), rendered);
    Painted(*painter, Painter::kMaxGlyphSize - 24, kanji(0).c_str());
    EXPECT_GT(painter->FreeTypeAllocations(), rendered);
}

TEST(GlyphCache, CachedGlyphsPaintAsFreshOnes) {
    struct Case {
        int32_t size;
        const char* text;
    };
    for (const Case& c : {Case{24, kThreeGlyphs}, Case{13, kThreeGlyphs}, Case{40, "Ag\xB1\x82\xA0"}}) {
        PainterPtr fresh = GothicPainter();
        PainterPtr used = GothicPainter();
        ASSERT_TRUE(fresh && used);
        const std::vector<uint8_t> expected = Painted(*fresh, c.size, c.text);
        // The used painter has every glyph cached, at this and other sizes.
        Painted(*used, c.size, c.text);
        Painted(*used, c.size + 7, c.text);
        EXPECT_EQ(Painted(*used, c.size, c.text), expected) << "size " << c.size;
    }
}

}  // namespace
}  // namespace quenta
