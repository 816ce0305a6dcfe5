// The scratch surface into which gradient text is painted as coverage before
// it is blended: an alpha plane only, rows on 8-byte boundaries.
#pragma once

#include <cstdint>
#include <vector>

#include "quenta/Surface.h"
#include "render/MemoryBlock.h"

namespace quenta::core {

class GlyphBuffer final : public Surface {
public:
    GlyphBuffer() = default;
    GlyphBuffer(const GlyphBuffer&) = delete;
    GlyphBuffer& operator=(const GlyphBuffer&) = delete;
    ~GlyphBuffer();

    // Gives the buffer width x height alpha storage; false on bad sizes or no memory.
    bool Create(int32_t newWidth, int32_t newHeight, bool isCounted);
    // A buffer made with new and uncounted or counted down to 0 deletes itself
    // in Release; the renderer's own buffer is never released that way.
    static GlyphBuffer* CreateOnHeap(int32_t newWidth, int32_t newHeight, bool isCounted);

    int32_t AddRef() override;
    int32_t Release() override;
    uint8_t* GetPixelAddress(int32_t x, int32_t y) override;
    uint8_t* GetAlphaAddress(int32_t x, int32_t y) override;
    int32_t GetWidth() override { return width; }
    int32_t GetHeight() override { return height; }
    int32_t GetDepth() override { return depth; }
    int32_t GetPitch() override { return pitch; }
    int32_t GetAlphaPitch() override { return alphaPitch; }
    bool HasPixels() override { return hasPixels; }
    bool HasAlpha() override { return hasAlpha; }

    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 0;
    int32_t bytesPerPixel = 0;
    int32_t pitch = 0;
    int32_t alphaPitch = 0;
    bool hasPixels = false;
    bool hasAlpha = false;
    MemoryBlock pixelMemory;
    MemoryBlock alphaMemory;
    std::vector<uint8_t*> pixelRows;
    std::vector<uint8_t*> alphaRows;
    bool counted = false;
    int32_t refCount = 0;

private:
    bool onHeap_ = false;
};

}  // namespace quenta::core
