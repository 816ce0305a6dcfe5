// A ready-made Surface for hosts: a heap bitmap with an optional colour plane
// (24-bit BGR or 32-bit BGRA) and an optional 8-bit alpha plane. Pictura
// hands these out as pictures; hosts, tools and tests draw into them.
//
// What each slot answers, by the planes the bitmap has:
//
//   slot                    colour and alpha   colour only    alpha only
//   0 AddRef, 1 Release     the new count      the same       the same
//   2 GetPixelAddress(x,y)  the pixel's bytes  the same       null
//   3 GetAlphaAddress(x,y)  the alpha byte     null           the alpha byte
//   4 GetWidth, 5 GetHeight the size           the same       the same
//   6 GetDepth              24 or 32           24 or 32       0
//   7 GetPitch              colour row bytes   the same       0
//   8 GetAlphaPitch         alpha row bytes    0              alpha row bytes
//   9 HasPixels             true               true           false
//   10 HasAlpha             true               false          true
//
// A bitmap with neither plane answers as the alpha-only one but null, 0 and
// false for its alpha too. Rows are padded to four bytes. The addresses are
// not checked against the size: a caller asks only for pixels inside it.
#pragma once

#include <cstdint>
#include <memory>

#include "quenta/Ref.h"
#include "quenta/RefCounted.h"
#include "quenta/Surface.h"

namespace quenta {

class BitmapSurface final : public RefCounted<BitmapSurface, Surface> {
public:
    // depth is 24 or 32 when withPixels (ignored otherwise); null on a size
    // below 1, a plane past 2 GiB or no memory. The new surface holds one
    // reference; every colour and alpha byte starts at 0.
    static BitmapSurface* Create(int32_t width, int32_t height, int32_t depth, bool withPixels,
                                 bool withAlpha);

    uint8_t* GetPixelAddress(int32_t x, int32_t y) override;
    uint8_t* GetAlphaAddress(int32_t x, int32_t y) override;
    int32_t GetWidth() override { return width_; }
    int32_t GetHeight() override { return height_; }
    int32_t GetDepth() override { return depth_; }
    int32_t GetPitch() override { return pitch_; }
    int32_t GetAlphaPitch() override { return alphaPitch_; }
    bool HasPixels() override { return pixels_ != nullptr; }
    bool HasAlpha() override { return alpha_ != nullptr; }

    int32_t BytesPerPixel() const { return depth_ / 8; }
    // Fills the colour plane (and the fourth byte of 32-bit pixels with 255).
    void Fill(uint8_t r, uint8_t g, uint8_t b);

private:
    friend RefCounted;
    BitmapSurface() = default;
    ~BitmapSurface() = default;

    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t depth_ = 0;
    int32_t pitch_ = 0;
    int32_t alphaPitch_ = 0;
    std::unique_ptr<uint8_t[]> pixels_;
    std::unique_ptr<uint8_t[]> alpha_;
};

// Surfaces released when they go out of scope.
using SurfacePtr = Ref<Surface>;
using BitmapPtr = Ref<BitmapSurface>;

}  // namespace quenta
