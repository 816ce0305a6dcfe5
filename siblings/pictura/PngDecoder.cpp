#include "PngDecoder.h"

#include <png.h>

namespace quenta::pictura {

bool LooksLikePng(const uint8_t* bytes, size_t size) {
    return size >= 8 && png_sig_cmp(bytes, 0, 8) == 0;
}

std::optional<DecodedImage> DecodePng(const uint8_t* bytes, size_t size) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) return std::nullopt;
    if (!FitsLimits(image.width, image.height)) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    DecodedImage decoded;
    decoded.width = static_cast<int32_t>(image.width);
    decoded.height = static_cast<int32_t>(image.height);
    decoded.bgra.resize(PNG_IMAGE_SIZE(image));
    // Frees the reader's state whether it succeeds or not.
    if (!png_image_finish_read(&image, nullptr, decoded.bgra.data(), 0, nullptr)) return std::nullopt;
    return decoded;
}

}  // namespace quenta::pictura
