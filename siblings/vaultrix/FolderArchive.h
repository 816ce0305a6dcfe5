// An archive that is a folder of picture files.
#pragma once

#include <filesystem>

#include "EntrySource.h"
#include "RefCount.h"

namespace quenta::vaultrix {

class FolderArchive final : public EntrySource {
public:
    explicit FolderArchive(std::filesystem::path folder);
    FolderArchive(const FolderArchive&) = delete;
    FolderArchive& operator=(const FolderArchive&) = delete;

    int32_t AddRef() override;
    int32_t Release() override;
    ArchiveEntry* OpenEntry(int32_t number) override;
    bool ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) override;

private:
    ~FolderArchive() = default;

    RefCount refs_;
    std::filesystem::path folder_;
};

}  // namespace quenta::vaultrix
