#include "quenta/ModuleSet.h"

#include "SystemLoader.h"
#include "quenta/Vaultrix.h"

namespace quenta::host {

namespace {

constexpr const char* kNames[kModuleCount] = {"Scrivo2", "Plotra", "Vaultrix", "Pictura", "Quenta"};

int32_t IndexOf(Module module) { return static_cast<int32_t>(module); }

}  // namespace

const char* ModuleName(Module module) { return kNames[IndexOf(module)]; }

std::string ModuleFileName(Module module) { return std::string(ModuleName(module)) + ModuleFileSuffix(); }

Result<void> ModuleSet::Load(const std::string& folder, std::initializer_list<Module> modules) {
    for (int32_t index = 0; index < kModuleCount; ++index) {
        const auto module = static_cast<Module>(index);
        bool wanted = false;
        for (Module listed : modules) wanted = wanted || listed == module;
        if (!wanted || IsLoaded(module)) continue;
        // An empty folder is the working one, never the system's search path.
        std::string path = folder.empty() ? "." : folder;
        if (path.back() != '/' && path.back() != PathSeparator()) path += PathSeparator();
        Result<void> loaded = LoadFile(module, path + ModuleFileName(module));
        if (!loaded) return loaded;
    }
    return {};
}

Result<void> ModuleSet::LoadFile(Module module, const std::string& path) {
    void*& handle = handles_[IndexOf(module)];
    void* opened = OpenModuleFile(path);
    if (!opened) return HostError{ModuleName(module), LastLoadError(path)};
    // A second load of the same module only gives back the first's hold.
    if (handle) CloseModuleFile(handle);
    handle = opened;
    return {};
}

bool ModuleSet::IsLoaded(Module module) const { return handles_[IndexOf(module)] != nullptr; }

CreateInterfaceFn ModuleSet::Entry(Module module) const {
    void* handle = handles_[IndexOf(module)];
    return handle ? reinterpret_cast<CreateInterfaceFn>(FindModuleExport(handle, "CreateInterface")) : nullptr;
}

Result<void*> ModuleSet::NewInterface(Module module, const InterfaceId& id) const {
    if (!IsLoaded(module)) return HostError{ModuleName(module), "is not loaded"};
    const CreateInterfaceFn create = Entry(module);
    if (!create) return HostError{ModuleName(module), "has no export CreateInterface"};
    void* made = create(&id);
    if (!made) return HostError{ModuleName(module), "hands out no interface for the ID asked"};
    return made;
}

Result<Ref<IMessageRenderer>> ModuleSet::NewRenderer() const {
    Result<Ref<IMessageRenderer>> renderer = Create<IMessageRenderer>(Module::kQuenta, kMessageRendererId);
    if (!renderer) return renderer;
    // The first SetText binds Scrivo2 and Plotra; an empty one adds nothing.
    (*renderer)->SetText("");
    if (!(*renderer)->GetSubInterface(&kScrivo2Id)) {
        return HostError{"Quenta", "cannot bind its sibling modules (its own message says which)"};
    }
    return renderer;
}

Result<void> ModuleSet::SetArchivePath(int32_t number, const std::string& path) const {
    Result<Ref<Vaultrix>> vaultrix = Create<Vaultrix>(Module::kVaultrix, kVaultrixId);
    if (!vaultrix) return vaultrix.Error();
    if (!(*vaultrix)->SetArchivePath(number, path.c_str())) {
        return HostError{"Vaultrix", "cannot open '" + path + "': it is neither a readable folder nor a ZIP file"};
    }
    return {};
}

void ModuleSet::Unload(Module module) {
    void*& handle = handles_[IndexOf(module)];
    if (handle) CloseModuleFile(handle);
    handle = nullptr;
}

void ModuleSet::UnloadAll() {
    for (int32_t index = kModuleCount - 1; index >= 0; --index) Unload(static_cast<Module>(index));
}

}  // namespace quenta::host
