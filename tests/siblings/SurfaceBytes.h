// A surface's planes as bytes, row padding included, so that tests compare
// whole planes exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "quenta/BitmapSurface.h"

namespace quenta::testing {

inline std::vector<uint8_t> PlaneBytes(BitmapSurface& s) {
    const uint8_t* p = s.GetPixelAddress(0, 0);
    return {p, p + static_cast<size_t>(s.GetPitch()) * s.GetHeight()};
}

inline std::vector<uint8_t> AlphaBytes(BitmapSurface& s) {
    const uint8_t* p = s.GetAlphaAddress(0, 0);
    return {p, p + static_cast<size_t>(s.GetAlphaPitch()) * s.GetHeight()};
}

}  // namespace quenta::testing
