// The system's own calls for loading a module and finding its export:
// LoadLibraryA and GetProcAddress on Windows, dlopen and dlsym elsewhere.
#pragma once

#include <string>

namespace quenta::host {

// Null when the file cannot be loaded; LastLoadError then says why.
void* OpenModuleFile(const std::string& path);
std::string LastLoadError(const std::string& path);
void CloseModuleFile(void* handle);
void* FindModuleExport(void* handle, const char* name);

// ".so" or ".dll"; and the separator that joins a folder and a file name.
const char* ModuleFileSuffix();
char PathSeparator();

}  // namespace quenta::host
