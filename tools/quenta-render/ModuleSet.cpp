#include "ModuleSet.h"

#include <dlfcn.h>

#include <system_error>

#include "ToolError.h"
#include "quenta/CreateInterface.h"

namespace quenta::render {

namespace {

// In load order.
constexpr const char* kNames[] = {"Scrivo2", "Plotra", "Vaultrix", "Pictura", "Quenta"};

}  // namespace

ModuleSet::ModuleSet(const std::filesystem::path& folder) {
    for (int i = 0; i < kCount; ++i) {
        const std::filesystem::path file = folder / (std::string(kNames[i]) + ".so");
        handles_[i] = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handles_[i]) {
            const char* why = dlerror();
            throw ToolError("cannot load " + std::string(kNames[i]) + ": " + (why ? why : file.string()));
        }
    }
}

void* ModuleSet::Create(Module module, const InterfaceId& id) {
    const auto index = static_cast<int>(module);
    auto create = reinterpret_cast<CreateInterfaceFn>(dlsym(handles_[index], "CreateInterface"));
    void* created = create ? create(&id) : nullptr;
    if (!created) throw ToolError(std::string(kNames[index]) + " did not hand out its interface");
    return created;
}

std::filesystem::path ModuleSet::DefaultFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) throw ToolError("cannot find where quenta-render lies: " + error.message());
    return (self.parent_path() / QUENTA_MODULE_FOLDER).lexically_normal();
}

}  // namespace quenta::render
