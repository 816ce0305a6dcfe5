#include "SystemLoader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quenta::host {

#if defined(_WIN32)

void* OpenModuleFile(const std::string& path) { return reinterpret_cast<void*>(LoadLibraryA(path.c_str())); }

std::string LastLoadError(const std::string& path) {
    return "cannot load " + path + " (Windows error " + std::to_string(GetLastError()) + ")";
}

void CloseModuleFile(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }

void* FindModuleExport(void* handle, const char* name) {
    // Through void*: FARPROC is a function type of its own.
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

const char* ModuleFileSuffix() { return ".dll"; }
char PathSeparator() { return '\\'; }

#else

// RTLD_LOCAL: a module's symbols stay its own; Quenta reaches the siblings
// through their CreateInterface alone.
void* OpenModuleFile(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

std::string LastLoadError(const std::string& path) {
    const char* why = dlerror();
    // dlerror's text names the file already.
    return why ? std::string(why) : "cannot load " + path;
}

void CloseModuleFile(void* handle) { dlclose(handle); }

void* FindModuleExport(void* handle, const char* name) { return dlsym(handle, name); }

const char* ModuleFileSuffix() { return ".so"; }
char PathSeparator() { return '/'; }

#endif

}  // namespace quenta::host
