// One row of gradient text: each covered pixel's colour bytes become
// keep + share as the blend table gives them (i * j / 255 with the fraction
// dropped), where keep weighs the target byte by 255 - coverage and share the
// row's colour by the coverage. Any byte past the third of a pixel is left as
// it was.
#pragma once

#include <cstdint>

namespace quenta::core {

// The table-driven row, pixels kBytesPerPixel apart. `table` is the blend
// table's rows; red, green and blue are the row's colour.
template <int kBytesPerPixel>
inline void BlendGradientRow(uint8_t* t, const uint8_t* coverage, int32_t width, uint8_t red, uint8_t green,
                             uint8_t blue, uint8_t* const* table) {
    const uint8_t* rowR = table[red];
    const uint8_t* rowG = table[green];
    const uint8_t* rowB = table[blue];
    for (int32_t i = 0; i < width; ++i, t += kBytesPerPixel) {
        const uint8_t a = coverage[i];
        if (a == 0) continue;
        if (a == 255) {
            t[0] = blue;
            t[1] = green;
            t[2] = red;
            continue;
        }
        const uint8_t* keep = table[255 - a];
        t[0] = static_cast<uint8_t>(keep[t[0]] + rowB[a]);
        t[1] = static_cast<uint8_t>(keep[t[1]] + rowG[a]);
        t[2] = static_cast<uint8_t>(keep[t[2]] + rowR[a]);
    }
}

// The same on a 32-bit (BGRA) target, four pixels at a time where the
// processor has SSE2, with the same result byte for byte.
void BlendGradientRow32(uint8_t* target, const uint8_t* coverage, int32_t width, uint8_t red, uint8_t green,
                        uint8_t blue, uint8_t* const* table);

}  // namespace quenta::core
