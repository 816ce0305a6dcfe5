// Laying 8-bit coverage in one colour onto a 24-bit (BGR) target, four
// pixels at a time where the processor has SSE2, with the same results as
// the one-pixel Mix of CoverageBlend32.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quenta::scrivo2 {

// Every pixel of the w x h rectangle gets Mix(colour, pixel, coverage), with
// the same result on every processor. Nothing outside the rectangle's pixels
// is written, and nothing beyond them is read.
void BlendCoverage24(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch,
                     int32_t w, int32_t h, uint8_t r, uint8_t g, uint8_t b);

}  // namespace quenta::scrivo2
