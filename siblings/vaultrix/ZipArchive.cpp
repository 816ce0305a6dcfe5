#include "ZipArchive.h"

#include <zip.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace quenta::vaultrix {

namespace {

// Room made at once for a member's stored size: any picture Pictura accepts
// (16M pixels of 4 bytes, and headers) fits.
constexpr zip_uint64_t kTrustedSize = zip_uint64_t{128} << 20;

struct ArchiveDiscarder {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

// Closed on every way out, a thrown bad_alloc included.
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

ZipArchive* ZipArchive::Open(const char* path) {
#if defined(_WIN32)
    // The path in the host's ANSI code page, as Windows hosts pass paths;
    // libzip's zip_open would read it as UTF-8.
    zip_source_t* source = zip_source_win32a_create(path, 0, -1, nullptr);
    if (!source) return nullptr;
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, nullptr);
    if (!archive) {
        zip_source_free(source);
        return nullptr;
    }
#else
    int error = 0;
    zip_t* archive = zip_open(path, ZIP_RDONLY, &error);
    if (!archive) return nullptr;
#endif
    // Discarded on every way out but the one that hands it to the archive.
    std::unique_ptr<zip_t, ArchiveDiscarder> held(archive);
    auto* opened = new ZipArchive(held.get());
    held.release();
    return opened;
}

ZipArchive::~ZipArchive() { zip_discard(zip_); }

bool ZipArchive::Locate(const std::string& name, std::string& location) {
    std::lock_guard lock(mutex_);
    if (zip_name_locate(zip_, name.c_str(), 0) < 0) return false;
    location = name;
    return true;
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
    const std::unique_ptr<zip_file_t, FileCloser> file(
        zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0));
    if (!file) return false;
    // The stored size is only a claim, which a damaged or hostile file can
    // set to 2 GiB over a few bytes. Room for it is made at once only up to
    // kTrustedSize; beyond that it grows fourfold as the bytes arrive, never
    // past the claim, so an entry costs what it holds rather than what it
    // says, and a true claim is met in one or two steps.
    bytes.clear();
    bytes.reserve(static_cast<size_t>(std::min(stat.size, kTrustedSize)));
    uint8_t chunk[64 * 1024];
    while (bytes.size() < stat.size) {
        const zip_uint64_t wanted = std::min<zip_uint64_t>(sizeof chunk, stat.size - bytes.size());
        const zip_int64_t n = zip_fread(file.get(), chunk, wanted);
        if (n <= 0) return false;
        if (bytes.capacity() - bytes.size() < static_cast<size_t>(n)) {
            bytes.reserve(static_cast<size_t>(std::min<zip_uint64_t>(4 * bytes.capacity(), stat.size)));
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    // libzip compares the checksum only when a read meets the end of the
    // data, so one more read must answer 0, not an error.
    uint8_t probe = 0;
    return zip_fread(file.get(), &probe, 1) == 0;
}

}  // namespace quenta::vaultrix
