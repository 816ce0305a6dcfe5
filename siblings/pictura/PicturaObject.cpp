#include "PicturaObject.h"

#include <optional>

#include "PictureDecoder.h"
#include "PictureSurface.h"
#include "quenta/SlotGuard.h"
#include "quenta/Vaultrix.h"

namespace quenta::pictura {

Surface* PicturaObject::DecodeEntry(std::uintptr_t shared) {
    if (shared == 0) return nullptr;
    // Vaultrix's Share answers the entry itself; DecodeBytes guards the rest.
    auto* entry = reinterpret_cast<ArchiveEntry*>(shared);
    return DecodeBytes(entry->GetBytes(), entry->GetSize());
}

Surface* PicturaObject::DecodeBytes(const uint8_t* bytes, int32_t size) {
    if (!bytes || size <= 0) return nullptr;
    const auto length = static_cast<size_t>(size);
    return Guarded([&]() -> Surface* {
        const std::optional<DecodedImage> image = DecodePicture(bytes, length);
        return image ? MakePictureSurface(*image) : nullptr;
    });
}

}  // namespace quenta::pictura
