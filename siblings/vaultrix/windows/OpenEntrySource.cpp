#include <windows.h>

#include "EntrySource.h"
#include "FolderArchive.h"
#include "ZipArchive.h"

namespace quenta::vaultrix {

EntrySource* OpenEntrySource(const char* path) {
    if (!path || !*path) return nullptr;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return nullptr;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A folder that cannot be listed cannot be read from either.
        std::string pattern = path;
        if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
        pattern += '*';
        WIN32_FIND_DATAA found;
        const HANDLE listing = FindFirstFileA(pattern.c_str(), &found);
        if (listing == INVALID_HANDLE_VALUE) return nullptr;
        FindClose(listing);
        return new FolderArchive(path);
    }
    return ZipArchive::Open(path);
}

}  // namespace quenta::vaultrix
