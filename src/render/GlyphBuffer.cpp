#include "render/GlyphBuffer.h"

#include <cstddef>
#include <new>

namespace quenta::core {

GlyphBuffer::~GlyphBuffer() {
    alphaRows.clear();
    alphaRows.shrink_to_fit();
    pixelRows.clear();
    pixelRows.shrink_to_fit();
    alphaMemory.Free();
    pixelMemory.Free();
}

bool GlyphBuffer::Create(int32_t newWidth, int32_t newHeight, bool isCounted) {
    if (newWidth <= 0 || newHeight <= 0) return false;
    const int64_t rowBytes = (static_cast<int64_t>(newWidth) + 7) & ~int64_t{7};
    const int64_t blockBytes = rowBytes * newHeight + 24;
    if (blockBytes > INT32_MAX) return false;
    pitch = 0;
    alphaPitch = static_cast<int32_t>(rowBytes);
    pixelMemory.Free();
    pixelRows.clear();
    if (!alphaMemory.Alloc(static_cast<int32_t>(blockBytes))) return false;
    auto base = (reinterpret_cast<std::uintptr_t>(alphaMemory.GetPointer()) + 7) & ~std::uintptr_t{7};
    try {
        alphaRows.assign(static_cast<size_t>(newHeight), nullptr);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int32_t i = 0; i < newHeight; ++i) {
        alphaRows[static_cast<size_t>(i)] = reinterpret_cast<uint8_t*>(base + static_cast<std::uintptr_t>(i) * alphaPitch);
    }
    width = newWidth;
    height = newHeight;
    depth = 0;
    bytesPerPixel = 0;
    hasPixels = false;
    hasAlpha = true;
    counted = isCounted;
    refCount = 1;
    return true;
}

GlyphBuffer* GlyphBuffer::CreateOnHeap(int32_t newWidth, int32_t newHeight, bool isCounted) {
    auto* buffer = new (std::nothrow) GlyphBuffer();
    if (!buffer) return nullptr;
    if (!buffer->Create(newWidth, newHeight, isCounted)) {
        delete buffer;
        return nullptr;
    }
    buffer->onHeap_ = true;
    return buffer;
}

int32_t GlyphBuffer::AddRef() {
    if (counted) ++refCount;
    return refCount;
}

int32_t GlyphBuffer::Release() {
    if (refCount <= 0) return 0;
    if (counted && --refCount > 0) return refCount;
    alphaMemory.Free();
    pixelMemory.Free();
    if (onHeap_) {
        delete this;
    } else {
        // A buffer held by value cannot delete itself; it just gives up its
        // storage and stops being drawable.
        refCount = 0;
        hasAlpha = false;
        alphaRows.clear();
    }
    return 0;
}

uint8_t* GlyphBuffer::GetPixelAddress(int32_t x, int32_t y) {
    if (y < 0 || static_cast<size_t>(y) >= pixelRows.size()) return nullptr;
    return pixelRows[static_cast<size_t>(y)] + static_cast<std::ptrdiff_t>(x) * bytesPerPixel;
}

uint8_t* GlyphBuffer::GetAlphaAddress(int32_t x, int32_t y) {
    if (y < 0 || static_cast<size_t>(y) >= alphaRows.size()) return nullptr;
    return alphaRows[static_cast<size_t>(y)] + x;
}

}  // namespace quenta::core
