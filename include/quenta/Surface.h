// The engine's image interface: draw targets, decoded pictures and scratch
// buffers all look alike to the modules that read and write them.
#pragma once

#include <cstdint>

namespace quenta {

class Surface {
public:
    virtual int32_t AddRef() = 0;                                   // 0
    virtual int32_t Release() = 0;                                  // 1
    virtual uint8_t* GetPixelAddress(int32_t x, int32_t y) = 0;     // 2
    virtual uint8_t* GetAlphaAddress(int32_t x, int32_t y) = 0;     // 3
    virtual int32_t GetWidth() = 0;                                 // 4
    virtual int32_t GetHeight() = 0;                                // 5
    virtual int32_t GetDepth() = 0;                                 // 6: bits per colour pixel
    virtual int32_t GetPitch() = 0;                                 // 7
    virtual int32_t GetAlphaPitch() = 0;                            // 8
    virtual bool HasPixels() = 0;                                   // 9
    virtual bool HasAlpha() = 0;                                    // 10

protected:
    // Surfaces end through Release, never through delete on this interface.
    ~Surface() = default;
};

}  // namespace quenta
