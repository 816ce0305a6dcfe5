#include "Background.h"

#include <algorithm>

namespace quenta::render {

void PaintBackground(BitmapSurface& canvas, Rgb color, Surface* picture) {
    canvas.Fill(color.r, color.g, color.b);
    if (!picture) return;
    const bool pixels = picture->HasPixels();
    const bool alpha = picture->HasAlpha();
    const int32_t bpp = pixels ? picture->GetDepth() / 8 : 0;
    const int32_t w = std::min(canvas.GetWidth(), picture->GetWidth());
    const int32_t h = std::min(canvas.GetHeight(), picture->GetHeight());
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* out = canvas.GetPixelAddress(0, y);
        const uint8_t* in = pixels ? picture->GetPixelAddress(0, y) : nullptr;
        const uint8_t* coverage = alpha ? picture->GetAlphaAddress(0, y) : nullptr;
        for (int32_t x = 0; x < w; ++x, out += canvas.BytesPerPixel()) {
            const int a = coverage ? coverage[x] : 255;
            for (int c = 0; c < 3; ++c) {
                const int ink = in ? in[x * bpp + c] : 255;
                out[c] = static_cast<uint8_t>((ink * a + out[c] * (255 - a) + 127) / 255);
            }
        }
    }
}

}  // namespace quenta::render
