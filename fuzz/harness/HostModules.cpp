#include "HostModules.h"

#include <cstdio>
#include <cstdlib>

#include "quenta/ModuleSet.h"

namespace quenta::fuzzing {

namespace {

void Require(const host::Result<void>& done) {
    if (done) return;
    std::fprintf(stderr, "harness: %s\n", done.Error().Describe().c_str());
    std::abort();
}

}  // namespace

// A module set leaves its modules loaded when it goes: see the header.
void LoadSiblingModules(const std::string& moduleFolder, const std::string& archivePath) {
    host::ModuleSet modules;
    Require(modules.Load(moduleFolder, {host::Module::kScrivo2, host::Module::kPlotra, host::Module::kVaultrix,
                                        host::Module::kPictura}));
    Require(modules.SetArchivePath(0, archivePath));
}

CreateInterfaceFn LoadHostModules(const std::string& moduleFolder, const std::string& archivePath) {
    LoadSiblingModules(moduleFolder, archivePath);
    host::ModuleSet quenta;
    Require(quenta.Load(moduleFolder, {host::Module::kQuenta}));
    const CreateInterfaceFn create = quenta.Entry(host::Module::kQuenta);
    Require(create ? host::Result<void>() : host::HostError{"Quenta", "has no export CreateInterface"});
    return create;
}

}  // namespace quenta::fuzzing
