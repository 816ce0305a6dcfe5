#include "WindowOverlay.h"

#include <cstring>

namespace quenta::script {

namespace {

// Blue, green, red: the canvas is 24-bit BGR.
constexpr uint8_t kFrame[3] = {0, 215, 255};    // amber
constexpr uint8_t kOverflow[3] = {40, 20, 255}; // red

}  // namespace

int64_t MarkWindow(BitmapSurface& canvas, BitmapSurface& backdrop, render::Point at, render::CanvasSize window) {
    const int64_t left = at.x, top = at.y;
    const int64_t right = left + window.width, bottom = top + window.height;  // exclusive
    const int32_t bpp = canvas.BytesPerPixel();
    int64_t overflow = 0;
    for (int32_t y = 0; y < canvas.GetHeight(); ++y) {
        uint8_t* out = canvas.GetPixelAddress(0, y);
        const uint8_t* before = backdrop.GetPixelAddress(0, y);
        const bool rowInside = y >= top && y < bottom;
        for (int32_t x = 0; x < canvas.GetWidth(); ++x, out += bpp, before += bpp) {
            if (rowInside && x >= left && x < right) continue;
            const bool onFrame = (y == top - 1 || y == bottom) ? (x >= left - 1 && x <= right)
                                                                : ((x == left - 1 || x == right) && y >= top - 1 && y <= bottom);
            if (std::memcmp(out, before, 3) != 0) {
                ++overflow;
                for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>((kOverflow[c] * 3 + out[c]) / 4);
            } else if (onFrame) {
                std::memcpy(out, kFrame, 3);
            } else {
                for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>(out[c] / 2);
            }
        }
    }
    return overflow;
}

}  // namespace quenta::script
