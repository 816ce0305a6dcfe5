// PNG files, read with libpng. Every libpng error, including data that ends
// before the IEND chunk, comes back as failure through libpng's setjmp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "DecodedImage.h"

namespace quenta::pictura {

bool LooksLikePng(const uint8_t* bytes, size_t size);
// Null on damaged, truncated or oversized data.
std::optional<DecodedImage> DecodePng(const uint8_t* bytes, size_t size);

}  // namespace quenta::pictura
