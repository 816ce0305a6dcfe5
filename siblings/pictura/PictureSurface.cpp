#include "PictureSurface.h"

namespace quenta::pictura {

namespace {

enum class Planes { kColor, kColorAndAlpha, kMask };

Planes ChoosePlanes(const DecodedImage& image) {
    bool transparent = false;
    bool whiteInk = true;
    const std::vector<uint8_t>& p = image.bgra;
    for (size_t i = 0; i < p.size(); i += 4) {
        const uint8_t alpha = p[i + 3];
        if (alpha < 255) transparent = true;
        if (alpha > 0 && (p[i] != 255 || p[i + 1] != 255 || p[i + 2] != 255)) whiteInk = false;
    }
    if (!transparent) return Planes::kColor;
    return whiteInk ? Planes::kMask : Planes::kColorAndAlpha;
}

}  // namespace

BitmapSurface* MakePictureSurface(const DecodedImage& image) {
    const Planes planes = ChoosePlanes(image);
    const bool withColor = planes != Planes::kMask;
    const bool withAlpha = planes != Planes::kColor;
    BitmapSurface* surface = BitmapSurface::Create(image.width, image.height, 24, withColor, withAlpha);
    if (!surface) return nullptr;
    const uint8_t* source = image.bgra.data();
    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* color = withColor ? surface->GetPixelAddress(0, y) : nullptr;
        uint8_t* alpha = withAlpha ? surface->GetAlphaAddress(0, y) : nullptr;
        for (int32_t x = 0; x < image.width; ++x, source += 4) {
            if (color) {
                color[0] = source[0];
                color[1] = source[1];
                color[2] = source[2];
                color += 3;
            }
            if (alpha) *alpha++ = source[3];
        }
    }
    return surface;
}

}  // namespace quenta::pictura
