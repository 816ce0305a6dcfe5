#include "DrawTargets.h"

#include <cstddef>
#include <cstring>
#include <limits>

#include "quenta/BitmapSurface.h"
#include "Require.h"

namespace quenta::fuzzing {

namespace {

struct Target {
    int32_t width, height, depth;
    bool withPixels;
    int32_t x, y;
};

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

constexpr Target kTargets[8] = {
    {320, 240, 24, true, 0, 0},
    {320, 240, 32, true, 8, 8},
    {320, 240, 24, true, -40, -30},   // cut on the left and at the top
    {320, 240, 32, true, 300, 220},   // cut on the right and at the bottom
    {1, 1, 24, true, 0, 0},
    {64, 32, 24, false, 0, 0},        // alpha only: nothing can be drawn
    {320, 240, 24, true, kMin, kMax},
    {320, 240, 32, true, kMax, kMin},
};

// What every byte of the target starts as.
constexpr uint8_t kAlphaMark = 0x5A;
constexpr uint8_t kPixelMark = 0x30;

}  // namespace

void DrawOnTarget(IMessageRenderer* renderer, uint8_t choice) {
    const Target& t = kTargets[choice & 7];
    BitmapPtr surface(BitmapSurface::Create(t.width, t.height, t.depth, t.withPixels, true));
    Require(surface != nullptr, "a small BitmapSurface can be made");
    const int32_t bytesPerPixel = surface->BytesPerPixel();
    for (int32_t y = 0; y < t.height; ++y) {
        std::memset(surface->GetAlphaAddress(0, y), kAlphaMark, static_cast<size_t>(t.width));
        if (t.withPixels) {
            std::memset(surface->GetPixelAddress(0, y), kPixelMark, static_cast<size_t>(t.width) * bytesPerPixel);
        }
    }

    renderer->Draw(surface.get(), t.x, t.y);

    for (int32_t y = 0; y < t.height; ++y) {
        const uint8_t* alpha = surface->GetAlphaAddress(0, y);
        const uint8_t* pixel = t.withPixels ? surface->GetPixelAddress(0, y) : nullptr;
        for (int32_t x = 0; x < t.width; ++x) {
            Require(alpha[x] == kAlphaMark, "drawing leaves the target's alpha plane alone");
            if (bytesPerPixel == 4) {
                Require(pixel[static_cast<std::ptrdiff_t>(x) * 4 + 3] == kPixelMark,
                        "drawing leaves the fourth byte of 32-bit pixels alone");
            }
        }
    }
}

}  // namespace quenta::fuzzing
