// The engine's image interface: draw targets, decoded pictures and scratch
// buffers all look alike to the modules that read and write them.
//
// Layout. A surface has a colour plane, an 8-bit alpha plane, or both.
// Colour pixels are GetDepth() bits: 24 (blue, green, red bytes) or 32
// (blue, green, red and a fourth byte). Rows are GetPitch() bytes apart
// (GetAlphaPitch() for the alpha plane) and run top to bottom; the
// addresses answered for (x, y) are those of that pixel, asked only for
// pixels inside the surface.
//
// Accepted depths. Quenta draws text on a colour plane of 24 or 32 bits and
// leaves the fourth byte of 32-bit pixels as it was. On any other depth, or
// a surface without a colour plane, Draw draws nothing. Pictures may have
// either plane or both.
//
// Ownership. A surface is reference-counted like every interface
// (quenta/MessageRenderer.h): whoever made it holds one reference and ends
// it through Release. Quenta's Draw borrows a target for the call alone
// and keeps no reference; the picture cache holds the pictures Pictura
// decodes until Quenta is unloaded. A host may implement Surface itself
// (an adapter over an engine's own bitmap or window framebuffer), or use
// quenta/BitmapSurface.h.
#pragma once

#include <cstdint>

namespace quenta {

class Surface {
public:
    virtual int32_t AddRef() = 0;                                   // 0
    virtual int32_t Release() = 0;                                  // 1
    virtual uint8_t* GetPixelAddress(int32_t x, int32_t y) = 0;     // 2: null without a colour plane
    virtual uint8_t* GetAlphaAddress(int32_t x, int32_t y) = 0;     // 3: null without an alpha plane
    virtual int32_t GetWidth() = 0;                                 // 4
    virtual int32_t GetHeight() = 0;                                // 5
    virtual int32_t GetDepth() = 0;                                 // 6: bits per colour pixel, 24 or 32
    virtual int32_t GetPitch() = 0;                                 // 7: bytes from a colour row to the next
    virtual int32_t GetAlphaPitch() = 0;                            // 8: bytes from an alpha row to the next
    virtual bool HasPixels() = 0;                                   // 9
    virtual bool HasAlpha() = 0;                                    // 10

protected:
    // Surfaces end through Release, never through delete on this interface.
    ~Surface() = default;
};

}  // namespace quenta
