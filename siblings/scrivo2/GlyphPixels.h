// The pixel operations a glyph's bitmap is laid with: one-bit bitmaps in a
// colour onto 24- or 32-bit targets, and coverage kept as the maximum in an
// alpha plane. (Eight-bit bitmaps in a colour are CoverageBlend24/32.)
#pragma once

#include <cstddef>
#include <cstdint>

namespace quenta::scrivo2 {

// Sets every pixel whose bit is on to (r, g, b); `Bpp` is 3 or 4 bytes, the
// fourth left as it was.
template <int Bpp>
void BlendMono(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch,
               int32_t column, int32_t w, int32_t h, uint8_t r, uint8_t g, uint8_t b) {
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) {
        uint8_t* t = dst;
        for (int32_t i = 0; i < w; ++i, t += Bpp) {
            const int32_t bit = column + i;
            if (!((src[bit >> 3] >> (7 - (bit & 7))) & 1)) continue;
            t[0] = b;
            t[1] = g;
            t[2] = r;
        }
    }
}

// Coverage bytes, kept where larger than what the buffer holds.
void MaxGray(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch, int32_t w,
             int32_t h);

// One-bit coverage: full (255) where a bit is on.
void MaxMono(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch, int32_t column,
             int32_t w, int32_t h);

}  // namespace quenta::scrivo2
