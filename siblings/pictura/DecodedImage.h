// A picture as the decoders hand it over: 8-bit BGRA rows, top row first,
// without padding. Formats without alpha come with alpha 255.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quenta::pictura {

struct DecodedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bgra;
};

// Pictures in message text are small; anything beyond these is refused as
// damaged before its pixels are allocated.
inline constexpr uint32_t kMaxSide = 16384;
inline constexpr uint64_t kMaxPixels = uint64_t{1} << 24;

inline bool FitsLimits(uint32_t width, uint32_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           uint64_t{width} * height <= kMaxPixels;
}

}  // namespace quenta::pictura
