// Loads a module for a test the way a host does, and unloads it on request or
// at the end of the test.
#pragma once

#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quenta::testing {

class LoadedModule {
public:
    explicit LoadedModule(const std::string& path) {
#if defined(_WIN32)
        handle_ = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
#else
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    ~LoadedModule() { Unload(); }

    bool IsLoaded() const { return handle_ != nullptr; }

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

private:
    void* handle_ = nullptr;
};

// Where the build put the double modules and the real ones.
inline std::string DoubleModulePath(const char* name) {
    return std::string(QUENTA_DOUBLES_DIR) + "/" + name + QUENTA_MODULE_SUFFIX;
}
inline std::string NoExportModulePath(const char* name) {
    return std::string(QUENTA_DOUBLES_DIR) + "/noexport/" + name + QUENTA_MODULE_SUFFIX;
}
inline std::string QuentaModulePath() {
    return std::string(QUENTA_MODULE_PATH);
}

}  // namespace quenta::testing
