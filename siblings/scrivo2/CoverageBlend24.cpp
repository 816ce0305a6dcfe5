#include "CoverageBlend24.h"

#include <cstring>

#include "CoverageMix.h"

namespace quenta::scrivo2 {

#if defined(__SSE2__)
namespace {

// Four pixels are twelve bytes, read and written as eight and four so that
// nothing beyond them is touched and no load waits on a partly overlapping
// store. Weights are spread to the channels with word shuffles: the low
// register takes b g r of pixels 0 and 1 and b g of pixel 2, the high one
// r of pixel 2 and b g r of pixel 3.
void BlendRow(uint8_t* t, const uint8_t* src, int32_t w, __m128i colourLo, __m128i colourHi, uint8_t r,
              uint8_t g, uint8_t b) {
    const __m128i zero = _mm_setzero_si128();
    int32_t i = 0;
    for (; i + 4 <= w; i += 4, t += 12) {
        uint32_t quad;
        std::memcpy(&quad, src + i, 4);
        if (quad == 0) continue;  // glyphs are mostly empty space
        __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(quad)), zero);
        a = _mm_add_epi16(a, _mm_srli_epi16(a, 7));
        const __m128i both = _mm_unpacklo_epi64(a, a);
        const __m128i weightLo =
            _mm_shufflehi_epi16(_mm_shufflelo_epi16(both, _MM_SHUFFLE(1, 0, 0, 0)), _MM_SHUFFLE(2, 2, 1, 1));
        const __m128i weightHi = _mm_move_epi64(_mm_shufflelo_epi16(a, _MM_SHUFFLE(3, 3, 3, 2)));
        uint32_t tail;
        std::memcpy(&tail, t + 8, 4);
        const __m128i lo = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(t)), zero);
        const __m128i hi = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(tail)), zero);
        const __m128i packed = _mm_packus_epi16(MixLanes(colourLo, weightLo, lo), MixLanes(colourHi, weightHi, hi));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(t), packed);
        tail = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(packed, 8)));
        std::memcpy(t + 8, &tail, 4);
    }
    BlendPixels<3>(t, src + i, w - i, r, g, b);  // the last one to three pixels
}
}  // namespace
#endif

void BlendCoverage24(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch,
                     int32_t w, int32_t h, uint8_t r, uint8_t g, uint8_t b) {
#if defined(__SSE2__)
    const __m128i colourLo = _mm_setr_epi16(b, g, r, b, g, r, b, g);
    const __m128i colourHi = _mm_setr_epi16(r, b, g, r, 0, 0, 0, 0);
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) {
        BlendRow(dst, src, w, colourLo, colourHi, r, g, b);
    }
#else
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) BlendPixels<3>(dst, src, w, r, g, b);
#endif
}

}  // namespace quenta::scrivo2
