#include "PicturaObject.h"

#include <new>
#include <optional>

#include "BmpDecoder.h"
#include "PictureSurface.h"
#include "PngDecoder.h"
#include "quenta/Vaultrix.h"

namespace quenta::pictura {

int32_t PicturaObject::AddRef() { return ++refs_; }

int32_t PicturaObject::Release() {
    const int32_t left = --refs_;
    if (left == 0) delete this;
    return left;
}

Surface* PicturaObject::DecodeEntry(std::uintptr_t shared) {
    if (shared == 0) return nullptr;
    // Vaultrix's Share answers the entry itself.
    auto* entry = reinterpret_cast<ArchiveEntry*>(shared);
    return DecodeBytes(entry->GetBytes(), entry->GetSize());
}

Surface* PicturaObject::DecodeBytes(const uint8_t* bytes, int32_t size) {
    if (!bytes || size <= 0) return nullptr;
    const auto length = static_cast<size_t>(size);
    try {
        std::optional<DecodedImage> image;
        if (LooksLikePng(bytes, length)) {
            image = DecodePng(bytes, length);
        } else if (LooksLikeBmp(bytes, length)) {
            image = DecodeBmp(bytes, length);
        }
        return image ? MakePictureSurface(*image) : nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace quenta::pictura
