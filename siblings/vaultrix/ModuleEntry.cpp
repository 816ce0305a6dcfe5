// Vaultrix's one export.
#include "VaultrixObject.h"
#include "quenta/ModuleExport.h"

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    return quenta::CreateInterfaceFor<quenta::Vaultrix>(iid, quenta::kVaultrixId,
                                                        [] { return new quenta::vaultrix::VaultrixObject(); });
}
