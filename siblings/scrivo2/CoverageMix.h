// The division-free mix of 8-bit coverage in one colour over target bytes,
// shared by the 24- and 32-bit blends: per pixel, and in 16-bit SSE2 lanes.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quenta::scrivo2 {

// Blends `a` (0..255) of colour c over t without division: the weight maps
// 0..255 onto 0..256, so 0 keeps t and 255 gives c exactly.
inline uint8_t Mix(unsigned c, unsigned t, unsigned a) {
    const unsigned w = a + (a >> 7);
    return static_cast<uint8_t>((c * w + t * (256 - w)) >> 8);
}

// Mix over `count` pixels lying kBytesPerPixel apart; bytes past the third
// of a pixel stay as they were.
template <int kBytesPerPixel>
void BlendPixels(uint8_t* t, const uint8_t* coverage, int32_t count, uint8_t r, uint8_t g, uint8_t b) {
    for (int32_t i = 0; i < count; ++i, t += kBytesPerPixel) {
        const unsigned a = coverage[i];
        if (a == 0) continue;
        t[0] = Mix(b, t[0], a);
        t[1] = Mix(g, t[1], a);
        t[2] = Mix(r, t[2], a);
    }
}

#if defined(__SSE2__)
// Mix in 16-bit lanes, given weights already mapped onto 0..256:
// c * w + t * (256 - w) is at most 255 * 256, so nothing overflows.
inline __m128i MixLanes(__m128i colour, __m128i weight, __m128i target) {
    const __m128i full = _mm_set1_epi16(256);
    return _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(colour, weight), _mm_mullo_epi16(target, _mm_sub_epi16(full, weight))), 8);
}
#endif

}  // namespace quenta::scrivo2
