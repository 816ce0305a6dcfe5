// Scrivo2's TextPainter: Shift-JIS text in fixed-pitch cells, glyphs rendered
// once per face and size into FreeType's cache, faces found through
// fontconfig.
//
// A painter is used by one thread at a time. Colours are blended onto 24-bit
// (BGR) and 32-bit (BGRA) targets; the fourth byte of a 32-bit pixel is left
// as it was, as everywhere in the engine (alpha lives in its own plane).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ZeroingMemory.h"
#include "quenta/TextPainter.h"

namespace quenta::scrivo2 {

class Painter final : public TextPainter {
public:
    // Glyphs are rendered up to this size; larger sizes paint nothing (and
    // PaintCoverage only clears the cell, within the buffer).
    static constexpr int32_t kMaxGlyphSize = 1024;

    // A painter holding one reference; null when FreeType cannot start.
    static Painter* Create();

    int32_t AddRef() override;
    int32_t Release() override;
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
    int64_t FreeTypeAllocations() const { return memory_.AllocatedBlocks(); }

    // One font file and face index: the cache's face ID, opened by it on
    // demand.
    struct FaceEntry {
        std::string path;
        int index = 0;
        bool metricsKnown = false;
        bool usable = false;
        int64_t unitsPerEm = 0;
        int64_t ascent = 0;   // font units above the baseline
        int64_t descent = 0;  // font units below it
    };

private:
    // A face name as the host sends it (Shift-JIS bytes) and its face; a null
    // face records a name that resolved to nothing.
    struct NameEntry {
        std::string name;
        FaceEntry* face = nullptr;
    };
    // Everything a paint needs about the current face and size.
    struct Strike {
        bool valid = false;
        FTC_ScalerRec scaler{};  // the face at a 26.6 size, 72 dpi
        int32_t baseline = 0;    // pixels from the cell's top to the baseline
    };
    struct Box {
        int64_t left, top, right, bottom;  // right and bottom exclusive
    };

    Painter() = default;
    ~Painter();
    bool Start();

    FaceEntry* FaceFor(const std::string& path, int index);
    NameEntry* FindName(std::string_view name);
    NameEntry* ResolveName(std::string_view name);
    void SelectName(NameEntry* entry);
    bool EnsureStrike();
    bool LoadMetrics(FaceEntry* face);
    static FT_Error RequestFace(FTC_FaceID id, FT_Library library, FT_Pointer, FT_Face* face);

    // Calls `lay` for the part of a rendered glyph's bitmap within `clip`,
    // the glyph in the cell from `cellLeft` to `cellRight` whose top is `y`.
    template <typename Lay>
    void LayBitmap(const FT_Bitmap& bitmap, int32_t bitmapLeft, int32_t bitmapTop, int64_t advance,
                   int64_t cellLeft, int64_t cellRight, int64_t y, const Box& clip, Lay& lay) const;
    // Calls `lay(glyph, clip)` for every glyph of `text` whose cell meets
    // `clip`, the cells starting at (x, y).
    template <typename Lay>
    void ForEachGlyph(int64_t x, int64_t y, const char* text, const Box& clip, Lay&& lay);

    std::atomic<int32_t> refCount_{1};
    ZeroingMemory memory_;  // outlives the library
    FT_Library library_ = nullptr;
    FTC_Manager cache_ = nullptr;
    FTC_CMapCache charMaps_ = nullptr;
    FTC_ImageCache images_ = nullptr;

    std::vector<std::unique_ptr<FaceEntry>> faces_;  // stable addresses: face IDs
    std::vector<std::unique_ptr<NameEntry>> names_;
    NameEntry* currentName_ = nullptr;
    FaceEntry* currentFace_ = nullptr;
    bool defaultTried_ = false;

    int32_t size_ = 0;
    uint8_t red_ = 0, green_ = 0, blue_ = 0;
    bool strikeDirty_ = true;
    Strike strike_;
};

}  // namespace quenta::scrivo2
