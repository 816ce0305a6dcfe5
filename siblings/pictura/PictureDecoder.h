// A stored picture file, PNG or BMP, told by its first bytes and decoded:
// libpng and stb_image on Linux, the Windows Imaging Component on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "DecodedImage.h"

namespace quenta::pictura {

// Null for anything but an intact PNG or BMP file within the size limits.
std::optional<DecodedImage> DecodePicture(const uint8_t* bytes, size_t size);

}  // namespace quenta::pictura
