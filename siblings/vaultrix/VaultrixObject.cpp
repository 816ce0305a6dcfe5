#include "VaultrixObject.h"

#include "ArchiveTable.h"
#include "quenta/SlotGuard.h"

namespace quenta::vaultrix {

Archive* VaultrixObject::OpenArchive(int32_t number) {
    return Guarded([&] { return ArchiveTable::Shared().Open(number); });
}

bool VaultrixObject::SetArchivePath(int32_t number, const char* path) {
    return Guarded([&] { return ArchiveTable::Shared().SetPath(number, path); });
}

}  // namespace quenta::vaultrix
