// The folder archive on Windows' file API: paths are the host's own ANSI
// code page strings, as every path a Windows host hands a module.
#include "FolderArchive.h"

#include <windows.h>

#include <limits>
#include <utility>

namespace quenta::vaultrix {

namespace {

struct HandleCloser {
    HANDLE handle;
    ~HandleCloser() { CloseHandle(handle); }
};

}  // namespace

FolderArchive::FolderArchive(std::filesystem::path folder) : folder_(std::move(folder)) {}

bool FolderArchive::Locate(const std::string& name, std::string& location) {
    std::string file = folder_.string();
    if (!file.empty() && file.back() != '\\' && file.back() != '/') file += '\\';
    file += name;
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    location = std::move(file);
    return true;
}

bool FolderArchive::ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) {
    const HANDLE handle = CreateFileA(location.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const HandleCloser closer{handle};
    // Read to the end rather than trusting a size taken beforehand: the
    // file may change in between.
    uint8_t chunk[64 * 1024];
    constexpr size_t kLimit = std::numeric_limits<int32_t>::max();
    bytes.clear();
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(handle, chunk, sizeof chunk, &n, nullptr)) return false;
        if (n == 0) return true;
        if (n > kLimit - bytes.size()) return false;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}

}  // namespace quenta::vaultrix
