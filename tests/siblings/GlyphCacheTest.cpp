// Scrivo2's glyph cache: each glyph rendered once per face and size, kept
// across sizes in use, and painting from the cache exactly as a fresh render.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "BitmapSurface.h"
#include "quenta/Ref.h"
#include "Painter.h"

namespace quenta {
namespace {

using scrivo2::Painter;

// "ＭＳ ゴシック" as Quenta sends it.
constexpr char kGothic[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
// 漢字あ: three distinct glyphs.
constexpr char kThreeGlyphs[] = "\x8A\xBF\x8E\x9A\x82\xA0";

using PainterPtr = Ref<Painter>;

PainterPtr GothicPainter() {
    PainterPtr painter(Painter::Create());
    if (painter) {
        painter->SetColor(0, 0, 0);
        painter->SetFace(kGothic);
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
    const uint8_t* p = surface->GetPixelAddress(0, 0);
    return {p, p + static_cast<size_t>(surface->GetPitch()) * surface->GetHeight()};
}

TEST(GlyphCache, EachGlyphIsRenderedOncePerSize) {
    PainterPtr painter = GothicPainter();
    ASSERT_TRUE(painter);
    Painted(*painter, 24, kThreeGlyphs);
    ASSERT_EQ(painter->RenderedGlyphCount(), 3);
    Painted(*painter, 24, kThreeGlyphs);
    EXPECT_EQ(painter->RenderedGlyphCount(), 3);
    Painted(*painter, 16, kThreeGlyphs);
    EXPECT_EQ(painter->RenderedGlyphCount(), 6);
    Painted(*painter, 24, "\x82\xA0\x8A\xBF");  // back to a size still kept
    EXPECT_EQ(painter->RenderedGlyphCount(), 6);
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
    for (int i = 0; i < 5; ++i) Painted(*painter, 24, kThreeGlyphs);
    EXPECT_EQ(painter->RenderedGlyphCount(), 3);
}

TEST(GlyphCache, KeepsTheEightMostRecentSizes) {
    PainterPtr painter = GothicPainter();
    ASSERT_TRUE(painter);
    for (int32_t size = 10; size < 19; ++size) Painted(*painter, size, "\x82\xA0");
    ASSERT_EQ(painter->RenderedGlyphCount(), 9);
    Painted(*painter, 11, "\x82\xA0");  // among the last eight
    EXPECT_EQ(painter->RenderedGlyphCount(), 9);
    Painted(*painter, 10, "\x82\xA0");  // the oldest, gone
    EXPECT_EQ(painter->RenderedGlyphCount(), 10);
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
