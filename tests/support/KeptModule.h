// Loads one module file for a test and never unloads it, as hosts keep their
// modules: unloading Scrivo2 would unload fontconfig with it, and
// LeakSanitizer would then count fontconfig's configuration, out of reach,
// as a leak.
#pragma once

#include <gtest/gtest.h>

#include "quenta/ModuleSet.h"
#include "quenta/Ref.h"

namespace quenta::testing {

// The module's CreateInterface, or null (the failure is reported).
inline CreateInterfaceFn LoadKept(host::Module module, const char* path) {
    host::ModuleSet modules;  // leaves its modules loaded when it goes
    const host::Result<void> loaded = modules.LoadFile(module, path);
    EXPECT_TRUE(loaded) << loaded.Error().Describe();
    return modules.Entry(module);
}

// The module's interface for `id`, or null.
template <typename Interface>
Ref<Interface> ObtainKept(host::Module module, const char* path, const InterfaceId& id) {
    const CreateInterfaceFn create = LoadKept(module, path);
    return Ref<Interface>(create ? static_cast<Interface*>(create(&id)) : nullptr);
}

}  // namespace quenta::testing
