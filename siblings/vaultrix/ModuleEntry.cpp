// Vaultrix's one export.
#include <new>

#include "VaultrixObject.h"
#include "quenta/CreateInterface.h"

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    if (!iid || !quenta::SameInterfaceId(*iid, quenta::kVaultrixId)) return nullptr;
    return static_cast<quenta::Vaultrix*>(new (std::nothrow) quenta::vaultrix::VaultrixObject());
}
