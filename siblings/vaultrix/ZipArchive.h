// An archive that is a ZIP file, read with libzip. One libzip handle serves
// every entry, so reads are serialised.
#pragma once

#include <mutex>

#include "EntrySource.h"
#include "quenta/RefCounted.h"

struct zip;

namespace quenta::vaultrix {

class ZipArchive final : public RefCounted<ZipArchive, EntrySource> {
public:
    // Null when the file is not a ZIP that libzip can open.
    static ZipArchive* Open(const char* path);

    bool Locate(const std::string& name, std::string& location) override;
    bool ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) override;

private:
    friend RefCounted;
    explicit ZipArchive(struct zip* archive) : zip_(archive) {}
    ~ZipArchive();

    std::mutex mutex_;
    struct zip* zip_;
};

}  // namespace quenta::vaultrix
