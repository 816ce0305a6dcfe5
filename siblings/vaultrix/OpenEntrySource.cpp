#include <filesystem>
#include <system_error>

#include "EntrySource.h"
#include "FolderArchive.h"
#include "ZipArchive.h"

namespace quenta::vaultrix {

EntrySource* OpenEntrySource(const char* path) {
    if (!path || !*path) return nullptr;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error) return nullptr;
    if (std::filesystem::is_directory(status)) {
        // A folder that cannot be listed cannot be read from either.
        std::filesystem::directory_iterator listing(path, error);
        if (error) return nullptr;
        return new FolderArchive(path);
    }
    if (std::filesystem::is_regular_file(status)) return ZipArchive::Open(path);
    return nullptr;
}

}  // namespace quenta::vaultrix
