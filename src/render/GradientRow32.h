// One row of gradient text on a 32-bit (BGRA) target: each pixel's colour
// bytes become keep + share as the blend table gives them (i * j / 255 with
// the fraction dropped), four pixels at a time where the processor has SSE2.
// The fourth byte of each pixel is left as it was.
#pragma once

#include <cstdint>

namespace quenta {

// `table` is the blend table's rows; red, green and blue are the row's colour.
void BlendGradientRow32(uint8_t* target, const uint8_t* coverage, int32_t width, uint8_t red, uint8_t green,
                        uint8_t blue, uint8_t* const* table);

}  // namespace quenta
