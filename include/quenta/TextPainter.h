// Scrivo2's text-drawing interface (kScrivo2Id).
#pragma once

#include <cstdint>

#include "quenta/Surface.h"

namespace quenta {

class TextPainter {
public:
    virtual int32_t AddRef() = 0;                                                    // 0
    virtual int32_t Release() = 0;                                                   // 1
    // Paints Shift-JIS text in the selected size, face and colour, its cell's
    // top-left corner at (x, y), clipped to the target.
    virtual int32_t PaintText(Surface* target, int32_t x, int32_t y, const char* text) = 0;  // 2
    // Writes the text's coverage into the buffer's alpha plane; every byte of
    // the cell (byte length * size / 2 by size, limited to the buffer) is written.
    virtual int32_t PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) = 0;  // 3
    virtual int32_t SetSize(int32_t size) = 0;                                       // 4
    virtual int32_t SetFace(const char* faceName) = 0;                               // 5: Shift-JIS
    // Points a face name at a font file; false when the file cannot be used.
    virtual bool SetFontFile(const char* faceName, const char* path) = 0;            // 6
    virtual int32_t Reserved7() = 0;                                                 // 7
    virtual int32_t Reserved8() = 0;                                                 // 8
    virtual int32_t Reserved9() = 0;                                                 // 9
    virtual int32_t SetColor(int32_t r, int32_t g, int32_t b) = 0;                   // 10

protected:
    ~TextPainter() = default;
};

}  // namespace quenta
