// Loads a module for a test the way a host does, and unloads it on request or
// at the end of the test.
#pragma once

#include <string>

#include "quenta/CreateInterface.h"
#include "quenta/Ref.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quenta::testing {

class LoadedModule {
public:
    // With `keepCode`, the module's code stays in memory after unloading, as
    // hosts keep their modules: unloading Scrivo2 would unload fontconfig with
    // it, and LeakSanitizer would then count fontconfig's configuration, out
    // of reach, as a leak.
    explicit LoadedModule(const std::string& path, bool keepCode = false) {
#if defined(_WIN32)
        (void)keepCode;
        handle_ = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
#else
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | (keepCode ? RTLD_NODELETE : 0));
        if (!handle_) error_ = dlerror();
#endif
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    ~LoadedModule() { Unload(); }

    bool IsLoaded() const { return handle_ != nullptr; }
    // Why loading failed; empty when it did not.
    const std::string& Error() const { return error_; }

    template <typename Fn>
    Fn Symbol(const char* name) const {
        if (!handle_) return nullptr;
#if defined(_WIN32)
        // Through void*: FARPROC is a function type of its own, unrelated to Fn.
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)));
#else
        return reinterpret_cast<Fn>(dlsym(handle_, name));
#endif
    }

    void Unload() {
        if (!handle_) return;
#if defined(_WIN32)
        FreeLibrary(static_cast<HMODULE>(handle_));
#else
        dlclose(handle_);
#endif
        handle_ = nullptr;
    }

    // The module's CreateInterface, or null.
    CreateInterfaceFn Create() const { return Symbol<CreateInterfaceFn>("CreateInterface"); }

    // The module's interface for `id`, or null.
    template <typename Interface>
    Ref<Interface> Obtain(const InterfaceId& id) const {
        const CreateInterfaceFn create = Create();
        return Ref<Interface>(create ? static_cast<Interface*>(create(&id)) : nullptr);
    }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace quenta::testing
