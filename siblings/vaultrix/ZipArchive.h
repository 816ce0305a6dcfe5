// An archive that is a ZIP file, read with libzip. One libzip handle serves
// every entry, so reads are serialised.
#pragma once

#include <mutex>

#include "EntrySource.h"
#include "RefCount.h"

struct zip;

namespace quenta::vaultrix {

class ZipArchive final : public EntrySource {
public:
    // Null when the file is not a ZIP that libzip can open.
    static ZipArchive* Open(const char* path);
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    int32_t AddRef() override;
    int32_t Release() override;
    ArchiveEntry* OpenEntry(int32_t number) override;
    bool ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) override;

private:
    explicit ZipArchive(struct zip* archive) : zip_(archive) {}
    ~ZipArchive();

    RefCount refs_;
    std::mutex mutex_;
    struct zip* zip_;
};

}  // namespace quenta::vaultrix
