// One picture file of an archive. Load reads its bytes once; the handle it
// answers is the address of the loaded buffer, and Share turns that handle
// into the entry's own address, which is what Pictura decodes. An entry is
// used by one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "EntrySource.h"
#include "quenta/RefCounted.h"
#include "quenta/Vaultrix.h"

namespace quenta::vaultrix {

class StoredEntry final : public RefCounted<StoredEntry, ArchiveEntry> {
public:
    // Takes a reference on `source` for the entry's lifetime.
    StoredEntry(EntrySource* source, int32_t number, std::string location);

    int32_t GetSize() override;
    const uint8_t* GetBytes() override;
    int32_t GetNumber() override { return number_; }
    std::uintptr_t Load() override;
    std::uintptr_t Share(std::uintptr_t loaded) override;

private:
    friend RefCounted;
    ~StoredEntry();
    std::uintptr_t LoadedHandle() const { return reinterpret_cast<std::uintptr_t>(&bytes_); }

    EntrySource* source_;
    int32_t number_;
    std::string location_;
    bool loaded_ = false;
    std::vector<uint8_t> bytes_;
};

}  // namespace quenta::vaultrix
