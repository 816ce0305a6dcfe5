#include "PictureDecoder.h"

#include "BmpDecoder.h"
#include "PngDecoder.h"

namespace quenta::pictura {

std::optional<DecodedImage> DecodePicture(const uint8_t* bytes, size_t size) {
    if (LooksLikePng(bytes, size)) return DecodePng(bytes, size);
    if (LooksLikeBmp(bytes, size)) return DecodeBmp(bytes, size);
    return std::nullopt;
}

}  // namespace quenta::pictura
