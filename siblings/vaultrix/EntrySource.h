// An archive as its entries see it: the place their bytes are read from.
// Entries hold a reference on it, so it outlives every entry it handed out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quenta/Vaultrix.h"

namespace quenta::vaultrix {

class EntrySource : public Archive {
public:
    // Reads the whole stored file at `location` (a path or a member name);
    // false on any failure, with `bytes` left unspecified.
    virtual bool ReadEntry(const std::string& location, std::vector<uint8_t>& bytes) = 0;

protected:
    ~EntrySource() = default;
};

// A folder or a ZIP file at `path`, opened with one reference; null when it
// is neither or cannot be opened.
EntrySource* OpenEntrySource(const char* path);

}  // namespace quenta::vaultrix
