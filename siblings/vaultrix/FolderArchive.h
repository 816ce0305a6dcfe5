// An archive that is a folder of picture files.
#pragma once

#include <filesystem>

#include "EntrySource.h"
#include "quenta/RefCounted.h"

namespace quenta::vaultrix {

class FolderArchive final : public RefCounted<FolderArchive, EntrySource> {
public:
    explicit FolderArchive(std::filesystem::path folder);

    bool Locate(const std::string& name, std::string& location) override;
    bool ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) override;

private:
    friend RefCounted;
    ~FolderArchive() = default;

    std::filesystem::path folder_;
};

}  // namespace quenta::vaultrix
