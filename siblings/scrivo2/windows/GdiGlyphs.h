// Glyphs from GDI: a face at one size as an antialiased font selected into
// the painter's memory DC, and each character's coverage from
// GetGlyphOutline (GGO_GRAY8_BITMAP, levels 0 to 64), scaled to 0..255 and
// kept, so that a glyph is rendered once per face and size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "GdiFaces.h"

namespace quenta::scrivo2 {

// A rendered glyph: `width` x `height` coverage bytes (0..255) `pitch`
// apart, whose top-left lies `left` right of the pen and `top` above the
// baseline; the pen moves on by `advance`. A glyph the face lacks is absent.
struct GdiGlyph {
    bool present = false;
    int32_t width = 0, height = 0, pitch = 0;
    int32_t left = 0, top = 0, advance = 0;
    std::vector<uint8_t> coverage;
};

class GdiGlyphs {
public:
    // Glyphs are rendered up to this size; larger sizes paint nothing.
    static constexpr int32_t kMaxGlyphSize = 1024;

    GdiGlyphs() = default;
    GdiGlyphs(const GdiGlyphs&) = delete;
    GdiGlyphs& operator=(const GdiGlyphs&) = delete;
    ~GdiGlyphs();

    // False when no memory DC can be made; the painter is then unusable.
    bool Start();
    HDC Dc() const { return dc_; }

    // Selects `face` at `size` for the glyphs that follow; false when GDI
    // makes no such font.
    bool Select(const GdiFace& face, int32_t size);
    // Pixels from the cell's top to the baseline, for the selected font.
    int32_t Baseline() const { return baseline_; }

    // The selected font's glyph for a UTF-16 character; never null.
    const GdiGlyph& Glyph(wchar_t character);

private:
    struct Strike {
        const GdiFace* face;
        int32_t size;
        HFONT font;
        int32_t baseline;
        std::unordered_map<wchar_t, GdiGlyph> glyphs;
    };
    void Drop(Strike& strike);

    HDC dc_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    std::vector<Strike> strikes_;  // a few recent face and size pairs
    Strike* current_ = nullptr;
    int32_t baseline_ = 0;
};

}  // namespace quenta::scrivo2
