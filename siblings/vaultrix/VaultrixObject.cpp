#include "VaultrixObject.h"

#include <exception>

#include "ArchiveTable.h"

namespace quenta::vaultrix {

int32_t VaultrixObject::AddRef() { return refs_.Add(); }

int32_t VaultrixObject::Release() {
    const int32_t left = refs_.Drop();
    if (left == 0) delete this;
    return left;
}

Archive* VaultrixObject::OpenArchive(int32_t number) { return ArchiveTable::Shared().Open(number); }

bool VaultrixObject::SetArchivePath(int32_t number, const char* path) {
    try {
        return ArchiveTable::Shared().SetPath(number, path);
    } catch (const std::exception&) {
        return false;  // nothing thrown reaches the host
    }
}

}  // namespace quenta::vaultrix
