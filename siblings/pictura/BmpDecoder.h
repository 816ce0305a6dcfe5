// BMP files (uncompressed 1- to 32-bit and bit-field layouts), read with
// stb_image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "DecodedImage.h"

namespace quenta::pictura {

bool LooksLikeBmp(const uint8_t* bytes, size_t size);
// Null on damaged, truncated or oversized data.
std::optional<DecodedImage> DecodeBmp(const uint8_t* bytes, size_t size);

}  // namespace quenta::pictura
