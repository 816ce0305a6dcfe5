#include "render/GradientRow.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quenta::core {

namespace {


#if defined(__SSE2__)
// x / 255 with the fraction dropped, for x up to 255 * 255: the table's entry.
inline __m128i DropDivide255(__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(-0x7F7F)), 7); }

// keep[t] + share[a] for two pixels in 16-bit lanes: (255 - a) * t / 255 +
// colour * a / 255, each with its fraction dropped as in the table. The
// fourth byte's coverage is 0, which keeps it.
inline __m128i Mix(__m128i target, __m128i coverage, __m128i colour) {
    const __m128i keep = DropDivide255(_mm_mullo_epi16(_mm_sub_epi16(_mm_set1_epi16(255), coverage), target));
    return _mm_add_epi16(keep, DropDivide255(_mm_mullo_epi16(colour, coverage)));
}
#endif

}  // namespace

void BlendGradientRow32(uint8_t* t, const uint8_t* c, int32_t w, uint8_t red, uint8_t green, uint8_t blue,
                        uint8_t* const* table) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_setr_epi16(blue, green, red, 0, blue, green, red, 0);
    const __m128i channels = _mm_setr_epi16(-1, -1, -1, 0, -1, -1, -1, 0);
    for (; i + 4 <= w; i += 4, t += 16) {
        uint32_t quad;
        std::memcpy(&quad, c + i, 4);
        if (quad == 0) continue;  // glyph cells are mostly empty
        const __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(quad)), zero);
        const __m128i pairs = _mm_unpacklo_epi16(a, a);
        const __m128i coverageLo = _mm_and_si128(_mm_unpacklo_epi32(pairs, pairs), channels);
        const __m128i coverageHi = _mm_and_si128(_mm_unpackhi_epi32(pairs, pairs), channels);
        const __m128i target = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t));
        const __m128i lo = Mix(_mm_unpacklo_epi8(target, zero), coverageLo, colour);
        const __m128i hi = Mix(_mm_unpackhi_epi8(target, zero), coverageHi, colour);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(t), _mm_packus_epi16(lo, hi));
    }
#endif
    BlendGradientRow<4>(t, c + i, w - i, red, green, blue, table);  // the ragged end
}

}  // namespace quenta::core
