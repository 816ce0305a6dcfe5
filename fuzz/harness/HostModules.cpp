#include "HostModules.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "quenta/Vaultrix.h"

namespace quenta::fuzzing {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "harness: %s\n", what.c_str());
    std::abort();
}

CreateInterfaceFn Load(const std::string& folder, const char* name) {
    const std::string path = folder + "/" + name + ".so";
    // Never closed: see the header.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) Fail("cannot load " + path + ": " + dlerror());
    auto create = reinterpret_cast<CreateInterfaceFn>(dlsym(handle, "CreateInterface"));
    if (!create) Fail(path + " has no CreateInterface");
    return create;
}

}  // namespace

void LoadSiblingModules(const std::string& moduleFolder, const std::string& archivePath) {
    Load(moduleFolder, "Scrivo2");
    Load(moduleFolder, "Plotra");
    const CreateInterfaceFn createVaultrix = Load(moduleFolder, "Vaultrix");
    Load(moduleFolder, "Pictura");

    auto* vaultrix = static_cast<Vaultrix*>(createVaultrix(&kVaultrixId));
    if (!vaultrix) Fail("Vaultrix refused its own interface ID");
    const bool opened = vaultrix->SetArchivePath(0, archivePath.c_str());
    vaultrix->Release();
    if (!opened) Fail("cannot open archive " + archivePath);
}

CreateInterfaceFn LoadHostModules(const std::string& moduleFolder, const std::string& archivePath) {
    LoadSiblingModules(moduleFolder, archivePath);
    return Load(moduleFolder, "Quenta");
}

}  // namespace quenta::fuzzing
