// Scrivo2's TextPainter: Shift-JIS text in fixed-pitch cells, glyphs rendered
// once per face and size into FreeType's cache, faces found through
// fontconfig.
//
// A painter is used by one thread at a time. Colours are blended onto 24-bit
// (BGR) and 32-bit (BGRA) targets; the fourth byte of a 32-bit pixel is left
// as it was, as everywhere in the engine (alpha lives in its own plane).
#pragma once

#include <cstdint>
#include <string>

#include "FaceRegistry.h"
#include "GlyphCache.h"
#include "Strike.h"
#include "quenta/RefCounted.h"
#include "quenta/TextPainter.h"

namespace quenta::scrivo2 {

class Painter final : public RefCounted<Painter, TextPainter> {
public:
    // Glyphs are rendered up to this size; larger sizes paint nothing (and
    // PaintCoverage only clears the cell, within the buffer).
    static constexpr int32_t kMaxGlyphSize = 1024;

    // A painter holding one reference; null when FreeType cannot start.
    // Throws std::bad_alloc when memory runs out.
    static Painter* Create();

    int32_t PaintText(Surface* target, int32_t x, int32_t y, const char* text) override;
    int32_t PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) override;
    int32_t SetSize(int32_t size) override;
    int32_t SetFace(const char* faceName) override;
    bool SetFontFile(const char* faceName, const char* path) override;
    int32_t Reserved7() override { return 0; }
    int32_t Reserved8() override { return 0; }
    int32_t Reserved9() override { return 0; }
    int32_t SetColor(int32_t r, int32_t g, int32_t b) override;

    // For tests and diagnostics: the font file behind the current face
    // (resolving the default face if none was chosen yet); empty if none.
    std::string CurrentFontPath();

    // For tests and diagnostics: how many blocks FreeType has allocated for
    // this painter. Rendering a glyph allocates; painting glyphs the cache
    // holds does not.
    int64_t FreeTypeAllocations() const { return glyphs_.AllocatedBlocks(); }

private:
    friend RefCounted;
    Painter() = default;
    ~Painter() = default;

    void Select(NameEntry* entry);
    bool EnsureStrike();

    GlyphCache glyphs_;
    FaceRegistry faces_;
    NameEntry* currentName_ = nullptr;
    FaceEntry* currentFace_ = nullptr;
    bool defaultTried_ = false;

    int32_t size_ = 24;
    uint8_t red_ = 0, green_ = 0, blue_ = 0;
    bool strikeDirty_ = true;
    Strike strike_;
};

}  // namespace quenta::scrivo2
