// An archive as its entries see it: the place their bytes are read from.
// Entries hold a reference on it, so it outlives every entry it handed out.
// A folder and a ZIP file differ only in how they find and read a stored
// file; which names an entry number stands for is decided here, once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quenta/Vaultrix.h"

namespace quenta::vaultrix {

class EntrySource : public Archive {
public:
    // The first stored file named for `number` ("7.png", else "7.bmp").
    ArchiveEntry* OpenEntry(int32_t number) override;

    // Where the stored file `name` lies (a path or a member name), for
    // ReadEntry; false when the archive has no such file.
    virtual bool Locate(const std::string& name, std::string& location) = 0;
    // Reads the whole stored file at `location`; false on any failure, with
    // `bytes` left unspecified.
    virtual bool ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) = 0;

protected:
    ~EntrySource() = default;
};

// A folder or a ZIP file at `path`, opened with one reference; null when it
// is neither or cannot be opened.
EntrySource* OpenEntrySource(const char* path);

}  // namespace quenta::vaultrix
