// The Vaultrix that CreateInterface hands out: a counted view of the
// module's one archive table.
#pragma once

#include "quenta/RefCounted.h"
#include "quenta/Vaultrix.h"

namespace quenta::vaultrix {

class VaultrixObject final : public RefCounted<VaultrixObject, Vaultrix> {
public:
    VaultrixObject() = default;

    Archive* OpenArchive(int32_t number) override;
    bool SetArchivePath(int32_t number, const char* path) override;

private:
    friend RefCounted;
    ~VaultrixObject() = default;
};

}  // namespace quenta::vaultrix
