// Finds a sibling module that the host has loaded, looks up its
// CreateInterface export and asks it for one interface.
#pragma once

#include "layout/TextString.h"
#include "platform/Platform.h"
#include "quenta/InterfaceId.h"

namespace quenta::core {

class ModuleBinding {
public:
    ModuleBinding() = default;
    ModuleBinding(const ModuleBinding&) = delete;
    ModuleBinding& operator=(const ModuleBinding&) = delete;
    // Releases nothing and unloads nothing: the owner that copied `iface`
    // releases it through its own pointer.
    ~ModuleBinding();

    // Finds the module, then obtains the interface into `iface`. Shows the
    // failing step's message and returns false on failure.
    bool Bind(const char* moduleName, const InterfaceId& id);
    // Calls the module's CreateInterface with `iid`; does not store the result.
    void* ObtainInterface();

    platform::ModuleHandle handle = nullptr;
    InterfaceId iid{};
    void* iface = nullptr;
    TextString name;
};

}  // namespace quenta::core
