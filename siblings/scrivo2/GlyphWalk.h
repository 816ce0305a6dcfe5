// The walk through a text's glyphs: each character in its cell (byte
// length * size / 2 wide and size high, so a half-width katakana of one
// byte gets half a full-width cell), its glyph from the cache, centred in
// the cell on its advance and set on the strike's baseline, and the part of
// its bitmap inside a clip box handed to a pixel operation.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H
#include FT_GLYPH_H

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "CellBox.h"
#include "GlyphCache.h"
#include "ShiftJis.h"
#include "Strike.h"

namespace quenta::scrivo2 {

// Antialiased outlines, lightly hinted (vertical only), never a font's
// embedded bitmaps, rendered once per glyph, face and size by the cache.
inline constexpr FT_ULong kGlyphLoadFlags = FT_LOAD_RENDER | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT;

// What a pixel operation is given: `h` rows of `w` pixels from `rows`
// (`rowPitch` apart, starting at pixel `column`, one bit a pixel when
// `mono`, else one byte), for the target pixels from (dx, dy).
//   lay(rows, rowPitch, column, mono, dx, dy, w, h)

// Hands `lay` the part of a rendered glyph's bitmap inside `clip`, the glyph
// in the cell from `cellLeft` to `cellRight` whose top is `y`.
template <typename Lay>
void LayBitmap(const FT_Bitmap& bitmap, int32_t bitmapLeft, int32_t bitmapTop, int64_t advance, int64_t cellLeft,
               int64_t cellRight, int64_t y, int32_t baseline, const Box& clip, Lay& lay) {
    if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.pitch <= 0 || !bitmap.buffer) return;
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    GlyphSpan span;
    if (!PlaceGlyph(bitmap.width, bitmap.rows, bitmapLeft, bitmapTop, advance, cellLeft, cellRight, y, baseline, clip,
                    span)) {
        return;
    }
    const uint8_t* rows = bitmap.buffer + static_cast<std::ptrdiff_t>(span.row) * bitmap.pitch;
    lay(rows, static_cast<std::ptrdiff_t>(bitmap.pitch), span.column, mono, span.dx, span.dy, span.w, span.h);
}

// Calls `lay` for every glyph of `text` whose cell meets `clip`, the cells
// of `size` starting at (x, y).
template <typename Lay>
void ForEachGlyph(const GlyphCache& cache, const Strike& strike, int32_t size, int64_t x, int64_t y,
                  const char* text, const Box& clip, Lay&& lay) {
    const Cp932Table& table = Cp932Table::Get();
    ForEachCell(x, size, text, clip, [&](const char* p, int32_t, int64_t cellLeft, int64_t cellRight) {
        const DecodedChar ch = table.Decode(reinterpret_cast<const unsigned char*>(p));
        if (ch.code == 0) return;
        // A character the face lacks draws nothing rather than a box.
        const FT_UInt index = FTC_CMapCache_Lookup(cache.CharMaps(), strike.scaler.face_id, -1, ch.code);
        if (index == 0) return;
        FT_Glyph glyph = nullptr;
        FTC_Node node = nullptr;  // keeps the glyph alive until unreferenced
        FTC_ScalerRec scaler = strike.scaler;
        if (FTC_ImageCache_LookupScaler(cache.Images(), &scaler, kGlyphLoadFlags, index, &glyph, &node) != 0) return;
        if (glyph && glyph->format == FT_GLYPH_FORMAT_BITMAP) {
            const auto* rendered = reinterpret_cast<const FT_BitmapGlyphRec*>(glyph);
            // As FreeType rounds a glyph's 16.16 advance to whole pixels.
            const int64_t advance = (static_cast<int64_t>(glyph->advance.x) + 0x8000) >> 16;
            LayBitmap(rendered->bitmap, rendered->left, rendered->top, advance, cellLeft, cellRight, y,
                      strike.baseline, clip, lay);
        }
        FTC_Node_Unref(node, cache.Manager());
    });
}

}  // namespace quenta::scrivo2
