#include "FolderArchive.h"

#include <cstdio>
#include <limits>
#include <memory>
#include <system_error>
#include <utility>


namespace quenta::vaultrix {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

FolderArchive::FolderArchive(std::filesystem::path folder) : folder_(std::move(folder)) {}

bool FolderArchive::Locate(const std::string& name, std::string& location) {
    const std::filesystem::path file = folder_ / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return false;
    location = file.string();
    return true;
}

bool FolderArchive::ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(location.c_str(), "rb"));
    if (!file) return false;
    // Read to the end rather than trusting a size taken beforehand: the
    // file may change in between.
    uint8_t chunk[64 * 1024];
    constexpr size_t kLimit = std::numeric_limits<int32_t>::max();
    bytes.clear();
    for (;;) {
        const size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        if (n > kLimit - bytes.size()) return false;
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (n < sizeof chunk) break;
    }
    return std::ferror(file.get()) == 0;
}

}  // namespace quenta::vaultrix
