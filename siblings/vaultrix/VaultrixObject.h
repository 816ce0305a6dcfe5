// The Vaultrix that CreateInterface hands out: a counted view of the
// module's one archive table.
#pragma once

#include "RefCount.h"
#include "quenta/Vaultrix.h"

namespace quenta::vaultrix {

class VaultrixObject final : public Vaultrix {
public:
    VaultrixObject() = default;
    VaultrixObject(const VaultrixObject&) = delete;
    VaultrixObject& operator=(const VaultrixObject&) = delete;

    int32_t AddRef() override;
    int32_t Release() override;
    Archive* OpenArchive(int32_t number) override;
    bool SetArchivePath(int32_t number, const char* path) override;

private:
    ~VaultrixObject() = default;

    RefCount refs_;
};

}  // namespace quenta::vaultrix
