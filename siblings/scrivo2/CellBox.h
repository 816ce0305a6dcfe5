// Where a text's glyphs go, whatever renders them: each character in its
// cell (byte length * size / 2 wide and size high, so a half-width katakana
// of one byte gets half a full-width cell), its bitmap centred in the cell on
// its advance and set on the baseline, and only the part inside a clip box.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "quenta/CharacterBytes.h"

namespace quenta::scrivo2 {

struct Box {
    int64_t left, top, right, bottom;  // right and bottom exclusive
};

// The text's cells from (x, y), byte length * size / 2 wide and size high,
// within a surface of `width` by `height`.
inline Box CellsWithin(int64_t x, int64_t y, const char* text, int32_t size, int32_t width, int32_t height) {
    const auto length = static_cast<int64_t>(std::strlen(text));
    return {std::max<int64_t>(x, 0), std::max<int64_t>(y, 0), std::min<int64_t>(x + ((length * size) >> 1), width),
            std::min<int64_t>(y + size, height)};
}

// The part of a glyph's bitmap that lands inside the clip box: `w` by `h`
// pixels from bitmap pixel (column, row), onto target pixel (dx, dy).
struct GlyphSpan {
    int64_t dx, dy;
    int32_t column, row, w, h;
};

// A bitmap of `width` by `height` whose top-left lies `bitmapLeft` right of
// the pen and `bitmapTop` above the baseline, for a glyph advancing
// `advance` in the cell from `cellLeft` to `cellRight` whose top is `y`.
// False when none of it is inside `clip`.
inline bool PlaceGlyph(int64_t width, int64_t height, int32_t bitmapLeft, int32_t bitmapTop, int64_t advance,
                       int64_t cellLeft, int64_t cellRight, int64_t y, int32_t baseline, const Box& clip,
                       GlyphSpan& span) {
    const int64_t left = cellLeft + ((cellRight - cellLeft - advance) >> 1) + bitmapLeft;
    const int64_t top = y + baseline - bitmapTop;
    const int64_t x0 = std::max(left, clip.left);
    const int64_t x1 = std::min(left + width, clip.right);
    const int64_t y0 = std::max(top, clip.top);
    const int64_t y1 = std::min(top + height, clip.bottom);
    if (x0 >= x1 || y0 >= y1) return false;
    span = {x0, y0, static_cast<int32_t>(x0 - left), static_cast<int32_t>(y0 - top), static_cast<int32_t>(x1 - x0),
            static_cast<int32_t>(y1 - y0)};
    return true;
}

// Calls visit(character, bytes, cellLeft, cellRight) for each character of
// `text` in turn, its cell of `size` counted from x, while the cell may
// still reach `clip`: a glyph may overhang its cell a little, so cells
// within one cell of the clip box count, and the walk ends past its right.
template <typename Visit>
void ForEachCell(int64_t x, int32_t size, const char* text, const Box& clip, Visit&& visit) {
    const int64_t cell = size;
    const char* p = text;
    int64_t offset = 0;
    while (*p) {
        const int32_t bytes = CharacterBytes(p);
        const char* character = p;
        const int64_t cellLeft = x + ((offset * cell) >> 1);
        p += bytes;
        offset += bytes;
        const int64_t cellRight = x + ((offset * cell) >> 1);
        if (cellLeft - cell >= clip.right) break;
        if (cellRight + cell <= clip.left) continue;
        visit(character, bytes, cellLeft, cellRight);
    }
}

}  // namespace quenta::scrivo2
