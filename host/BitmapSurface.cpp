#include "quenta/BitmapSurface.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

namespace quenta {

BitmapSurface* BitmapSurface::Create(int32_t width, int32_t height, int32_t depth,
                                     bool withPixels, bool withAlpha) {
    if (width <= 0 || height <= 0) return nullptr;
    if (withPixels && depth != 24 && depth != 32) return nullptr;
    const int64_t bpp = withPixels ? depth / 8 : 0;
    // Rows are padded to 4 bytes, as bitmap hosts expect.
    const int64_t pitch = withPixels ? (static_cast<int64_t>(width) * bpp + 3) / 4 * 4 : 0;
    const int64_t alphaPitch = withAlpha ? (static_cast<int64_t>(width) + 3) / 4 * 4 : 0;
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    if (pitch * height > kMax || alphaPitch * height > kMax) return nullptr;

    auto* s = new (std::nothrow) BitmapSurface();
    if (!s) return nullptr;
    s->width_ = width;
    s->height_ = height;
    s->depth_ = withPixels ? depth : 0;
    s->pitch_ = static_cast<int32_t>(pitch);
    s->alphaPitch_ = static_cast<int32_t>(alphaPitch);
    if (withPixels) {
        s->pixels_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(pitch * height)]());
        if (!s->pixels_) {
            delete s;
            return nullptr;
        }
    }
    if (withAlpha) {
        s->alpha_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(alphaPitch * height)]());
        if (!s->alpha_) {
            delete s;
            return nullptr;
        }
    }
    return s;
}

uint8_t* BitmapSurface::GetPixelAddress(int32_t x, int32_t y) {
    if (!pixels_) return nullptr;
    return pixels_.get() + static_cast<std::ptrdiff_t>(y) * pitch_ + static_cast<std::ptrdiff_t>(x) * (depth_ / 8);
}

uint8_t* BitmapSurface::GetAlphaAddress(int32_t x, int32_t y) {
    if (!alpha_) return nullptr;
    return alpha_.get() + static_cast<std::ptrdiff_t>(y) * alphaPitch_ + x;
}

void BitmapSurface::Fill(uint8_t r, uint8_t g, uint8_t b) {
    if (!pixels_) return;
    const int32_t bpp = depth_ / 8;
    for (int32_t y = 0; y < height_; ++y) {
        uint8_t* p = GetPixelAddress(0, y);
        for (int32_t x = 0; x < width_; ++x, p += bpp) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
            if (bpp == 4) p[3] = 255;
        }
    }
}

}  // namespace quenta
