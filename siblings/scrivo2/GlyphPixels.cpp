#include "GlyphPixels.h"

#include <algorithm>

namespace quenta::scrivo2 {

void MaxGray(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch, int32_t w,
             int32_t h) {
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) {
        for (int32_t i = 0; i < w; ++i) dst[i] = std::max(dst[i], src[i]);
    }
}

void MaxMono(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch, int32_t column,
             int32_t w, int32_t h) {
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) {
        for (int32_t i = 0; i < w; ++i) {
            const int32_t bit = column + i;
            if ((src[bit >> 3] >> (7 - (bit & 7))) & 1) dst[i] = 255;
        }
    }
}

}  // namespace quenta::scrivo2
