#include "render/Blending.h"

#include <cstddef>

#include "render/GradientRow.h"
#include "quenta/ClipAxis.h"

namespace quenta::core {

bool ClipRect(Surface* target, int32_t& dx, int32_t& dy, Surface* source, int32_t& sx, int32_t& sy,
              int32_t& w, int32_t& h) {
    if (!target || !source) return false;
    return ClipAxis(dx, sx, w, target->GetWidth(), source->GetWidth()) &&
           ClipAxis(dy, sy, h, target->GetHeight(), source->GetHeight());
}

void CopyClipped(Plotra* plotra, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                 int32_t w, int32_t h) {
    if (plotra && ClipRect(target, dx, dy, source, sx, sy, w, h)) {
        plotra->CopyRect(target, dx, dy, source, sx, sy, w, h);
    }
}

void BlendClipped(Plotra* plotra, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                  int32_t w, int32_t h) {
    if (plotra && ClipRect(target, dx, dy, source, sx, sy, w, h)) {
        plotra->BlendRect(target, dx, dy, source, sx, sy, w, h);
    }
}

void BlendColorClipped(Plotra* plotra, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                       int32_t sy, int32_t w, int32_t h, int32_t r, int32_t g, int32_t b) {
    if (plotra && ClipRect(target, dx, dy, source, sx, sy, w, h)) {
        plotra->BlendColorRect(target, dx, dy, source, sx, sy, w, h, r, g, b);
    }
}

void GradientBlendClipped(uint8_t* const* table, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                          int32_t sy, int32_t w, int32_t h, int32_t r1, int32_t g1, int32_t b1,
                          int32_t r2, int32_t g2, int32_t b2) {
    if (ClipRect(target, dx, dy, source, sx, sy, w, h)) {
        GradientBlend(table, target, dx, dy, source, sx, sy, w, h, r1, g1, b1, r2, g2, b2);
    }
}

void GradientBlend(uint8_t* const* table, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                   int32_t w, int32_t h, int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2,
                   int32_t b2) {
    if (w <= 0 || h <= 0) return;
    if (!table || !target->HasPixels() || !source->HasAlpha()) return;
    int32_t bytesPerPixel = 0;
    switch (target->GetDepth()) {
        case 24: bytesPerPixel = 3; break;
        case 32: bytesPerPixel = 4; break;  // the fourth byte is left as it was
        default: return;
    }
    uint8_t* t = target->GetPixelAddress(dx, dy);
    const uint8_t* c = source->GetAlphaAddress(sx, sy);
    if (!t || !c) return;
    const std::ptrdiff_t tPitch = target->GetPitch();
    const std::ptrdiff_t cPitch = source->GetAlphaPitch();

    // Running products k * (end - start), in 64 bits: components are any int32.
    const int64_t stepR = static_cast<int64_t>(r2) - r1;
    const int64_t stepG = static_cast<int64_t>(g2) - g1;
    const int64_t stepB = static_cast<int64_t>(b2) - b1;
    int64_t sumR = 0, sumG = 0, sumB = 0;
    for (int32_t k = 0; k < h; ++k) {
        const auto red = static_cast<uint8_t>(r1 + sumR / h);
        const auto green = static_cast<uint8_t>(g1 + sumG / h);
        const auto blue = static_cast<uint8_t>(b1 + sumB / h);
        sumR += stepR;
        sumG += stepG;
        sumB += stepB;
        if (bytesPerPixel == 4) {
            BlendGradientRow32(t, c, w, red, green, blue, table);
        } else {
            BlendGradientRow<3>(t, c, w, red, green, blue, table);
        }
        t += tPitch;
        c += cPitch;
    }
}

}  // namespace quenta::core
