#include "ZipArchive.h"

#include <zip.h>

#include <limits>
#include <new>

#include "PictureNames.h"
#include "StoredEntry.h"

namespace quenta::vaultrix {

ZipArchive* ZipArchive::Open(const char* path) {
    int error = 0;
    zip_t* archive = zip_open(path, ZIP_RDONLY, &error);
    if (!archive) return nullptr;
    auto* opened = new (std::nothrow) ZipArchive(archive);
    if (!opened) zip_discard(archive);
    return opened;
}

ZipArchive::~ZipArchive() { zip_discard(zip_); }

int32_t ZipArchive::AddRef() { return refs_.Add(); }

int32_t ZipArchive::Release() {
    const int32_t left = refs_.Drop();
    if (left == 0) delete this;
    return left;
}

ArchiveEntry* ZipArchive::OpenEntry(int32_t number) {
    try {
        std::lock_guard lock(mutex_);
        for (const char* extension : kPictureExtensions) {
            std::string name = PictureFileName(number, extension);
            if (zip_name_locate(zip_, name.c_str(), 0) >= 0) {
                return new StoredEntry(this, number, std::move(name));
            }
        }
    } catch (const std::bad_alloc&) {
    }
    return nullptr;
}

bool ZipArchive::ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) {
    std::lock_guard lock(mutex_);
    const zip_int64_t index = zip_name_locate(zip_, location.c_str(), 0);
    if (index < 0) return false;
    zip_stat_t stat;
    if (zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) ||
        stat.size > static_cast<zip_uint64_t>(std::numeric_limits<int32_t>::max())) {
        return false;
    }
    zip_file_t* file = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
    if (!file) return false;
    bytes.resize(static_cast<size_t>(stat.size));
    zip_uint64_t done = 0;
    bool ok = true;
    while (ok && done < stat.size) {
        const zip_int64_t n = zip_fread(file, bytes.data() + done, stat.size - done);
        ok = n > 0;
        if (ok) done += static_cast<zip_uint64_t>(n);
    }
    // libzip compares the checksum only when a read meets the end of the
    // data, so one more read must answer 0, not an error.
    uint8_t probe = 0;
    ok = ok && zip_fread(file, &probe, 1) == 0;
    zip_fclose(file);
    return ok;
}

}  // namespace quenta::vaultrix
