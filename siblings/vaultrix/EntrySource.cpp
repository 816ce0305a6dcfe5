#include "EntrySource.h"

#include "PictureNames.h"
#include "StoredEntry.h"
#include "quenta/SlotGuard.h"

namespace quenta::vaultrix {

ArchiveEntry* EntrySource::OpenEntry(int32_t number) {
    return Guarded([&]() -> ArchiveEntry* {
        for (const char* extension : kPictureExtensions) {
            std::string location;
            if (Locate(PictureFileName(number, extension), location)) {
                return new StoredEntry(this, number, std::move(location));
            }
        }
        return nullptr;
    });
}

}  // namespace quenta::vaultrix
