// Scrivo2's TextPainter on Windows: Shift-JIS text in fixed-pitch cells,
// glyphs from GDI (GdiGlyphs), blended as the FreeType painter blends its
// coverage (CoverageBlend24/32), so both look alike given the same glyphs.
//
// A painter is used by one thread at a time. Colours are blended onto 24-bit
// (BGR) and 32-bit (BGRA) targets; the fourth byte of a 32-bit pixel is left
// as it was, as everywhere in the engine (alpha lives in its own plane).
#pragma once

#include <cstdint>

#include "CellBox.h"
#include "GdiFaces.h"
#include "GdiGlyphs.h"
#include "quenta/RefCounted.h"
#include "quenta/TextPainter.h"

namespace quenta::scrivo2 {

class GdiPainter final : public RefCounted<GdiPainter, TextPainter> {
public:
    static constexpr int32_t kMaxGlyphSize = GdiGlyphs::kMaxGlyphSize;

    // A painter holding one reference; null when GDI gives no memory DC.
    // Throws std::bad_alloc when memory runs out.
    static GdiPainter* Create();

    int32_t PaintText(Surface* target, int32_t x, int32_t y, const char* text) override;
    int32_t PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) override;
    int32_t SetSize(int32_t size) override;
    int32_t SetFace(const char* faceName) override;
    // `path` in the host's ANSI code page; the font stays private to the process.
    bool SetFontFile(const char* faceName, const char* path) override;
    int32_t Reserved7() override { return 0; }
    int32_t Reserved8() override { return 0; }
    int32_t Reserved9() override { return 0; }
    int32_t SetColor(int32_t r, int32_t g, int32_t b) override;

private:
    friend RefCounted;
    GdiPainter() = default;
    ~GdiPainter() = default;

    bool EnsureStrike();
    // Calls lay(coverage, pitch, dx, dy, w, h) for every glyph of `text`
    // whose cell meets `clip`, the cells of the current size from (x, y).
    template <typename Lay>
    int32_t ForEachGlyph(int64_t x, int64_t y, const char* text, const Box& clip, Lay&& lay);

    GdiFaces faces_;  // outlives the glyphs' fonts it names
    GdiGlyphs glyphs_;
    GdiName* current_ = nullptr;
    bool defaultTried_ = false;

    int32_t size_ = 24;
    uint8_t red_ = 0, green_ = 0, blue_ = 0;
    bool strikeDirty_ = true;
    bool strikeValid_ = false;
};

}  // namespace quenta::scrivo2
