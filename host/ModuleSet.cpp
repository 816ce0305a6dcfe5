#include "quenta/ModuleSet.h"

#include "KeptRenderer.h"
#include "SystemLoader.h"
#include "quenta/Vaultrix.h"

namespace quenta::host {

namespace {

constexpr const char* kNames[kModuleCount] = {"Scrivo2", "Plotra", "Vaultrix", "Pictura", "Quenta"};

int32_t IndexOf(Module module) { return static_cast<int32_t>(module); }

constexpr int32_t kQuentaIndex = static_cast<int32_t>(Module::kQuenta);

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
    paths_[IndexOf(module)] = path;
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
    // A hold of the renderer's own on every module the set has in the
    // process, those waiting for Quenta's unload included.
    void* holds[KeptRenderer::kHolds] = {};
    for (int32_t i = 0; i < kModuleCount; ++i) {
        if (handles_[i] || afterQuenta_[i]) holds[i] = OpenModuleFile(paths_[i]);
    }
    KeptRenderer* kept = KeptRenderer::Make(renderer->get(), holds);
    if (!kept) {
        for (int32_t i = kModuleCount - 1; i >= 0; --i) {
            if (holds[i]) CloseModuleFile(holds[i]);
        }
        return HostError{"Quenta", "no memory for the renderer"};
    }
    renderer->release();  // its reference is the kept renderer's now
    return Ref<IMessageRenderer>(kept);
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
    const int32_t index = IndexOf(module);
    void*& handle = handles_[index];
    if (!handle) return;
    if (index != kQuentaIndex && handles_[kQuentaIndex]) {
        // Quenta's picture cache still holds what this sibling handed out.
        if (afterQuenta_[index]) {
            CloseModuleFile(handle);  // the hold already waiting keeps it
        } else {
            afterQuenta_[index] = handle;
        }
    } else {
        CloseModuleFile(handle);
    }
    handle = nullptr;
    if (index == kQuentaIndex) {
        for (int32_t i = kModuleCount - 1; i >= 0; --i) {
            if (afterQuenta_[i]) CloseModuleFile(afterQuenta_[i]);
            afterQuenta_[i] = nullptr;
        }
    }
}

void ModuleSet::UnloadAll() {
    for (int32_t index = kModuleCount - 1; index >= 0; --index) Unload(static_cast<Module>(index));
}

}  // namespace quenta::host
