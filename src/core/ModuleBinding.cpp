#include "core/ModuleBinding.h"

#include "core/ShowError.h"
#include "quenta/CreateInterface.h"

namespace quenta::core {

ModuleBinding::~ModuleBinding() {
    iface = nullptr;
    handle = nullptr;
}

bool ModuleBinding::Bind(const char* moduleName, const InterfaceId& id) {
    name.Assign(moduleName);
    handle = platform::FindLoadedModule(name.data);
    if (!handle) return ShowError(kModuleNotLoadedMessage, name.data ? name.data : "");
    iid = id;
    iface = ObtainInterface();
    return iface != nullptr;
}

void* ModuleBinding::ObtainInterface() {
    auto create = reinterpret_cast<CreateInterfaceFn>(platform::FindExport(handle, "CreateInterface"));
    if (!create) {
        ShowError(kNoExportMessage, name.data ? name.data : "");
        return nullptr;
    }
    void* result = create(&iid);
    if (!result) ShowError(kCreateFailedMessage);
    return result;
}

}  // namespace quenta::core
