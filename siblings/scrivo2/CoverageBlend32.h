// Laying 8-bit coverage in one colour onto a 32-bit (BGRA) target, four
// pixels at a time where the processor has SSE2. The fourth byte of each
// target pixel is left as it was.
#pragma once

#include <cstddef>
#include <cstdint>

#include "CoverageMix.h"

namespace quenta::scrivo2 {

// Every pixel of the w x h rectangle gets Mix(colour, pixel, coverage), with
// the same result on every processor.
void BlendCoverage32(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch,
                     int32_t w, int32_t h, uint8_t r, uint8_t g, uint8_t b);

}  // namespace quenta::scrivo2
