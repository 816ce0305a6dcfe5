#include "CoverageBlend32.h"

#include <cstring>

namespace quenta::scrivo2 {

#if defined(__SSE2__)
namespace {

// Mix on four pixels at a time. The fourth byte of each pixel gets weight 0
// and so keeps its value.
void BlendRow(uint8_t* t, const uint8_t* src, int32_t w, __m128i colour, __m128i channels, uint8_t r, uint8_t g,
              uint8_t b) {
    const __m128i zero = _mm_setzero_si128();
    int32_t i = 0;
    for (; i + 4 <= w; i += 4, t += 16) {
        uint32_t quad;
        std::memcpy(&quad, src + i, 4);
        if (quad == 0) continue;  // glyphs are mostly empty space
        __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(quad)), zero);
        a = _mm_add_epi16(a, _mm_srli_epi16(a, 7));
        const __m128i pairs = _mm_unpacklo_epi16(a, a);
        const __m128i weightLo = _mm_and_si128(_mm_unpacklo_epi32(pairs, pairs), channels);
        const __m128i weightHi = _mm_and_si128(_mm_unpackhi_epi32(pairs, pairs), channels);
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t));
        const __m128i lo = _mm_unpacklo_epi8(target, zero);
        const __m128i hi = _mm_unpackhi_epi8(target, zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(t),
                         _mm_packus_epi16(MixLanes(colour, weightLo, lo), MixLanes(colour, weightHi, hi)));
    }
    BlendPixels<4>(t, src + i, w - i, r, g, b);  // the last one to three pixels
}
}  // namespace
#endif

void BlendCoverage32(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch,
                     int32_t w, int32_t h, uint8_t r, uint8_t g, uint8_t b) {
#if defined(__SSE2__)
    const __m128i colour = _mm_setr_epi16(b, g, r, 0, b, g, r, 0);
    const __m128i channels = _mm_setr_epi16(-1, -1, -1, 0, -1, -1, -1, 0);
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) {
        BlendRow(dst, src, w, colour, channels, r, g, b);
    }
#else
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) BlendPixels<4>(dst, src, w, r, g, b);
#endif
}

}  // namespace quenta::scrivo2
