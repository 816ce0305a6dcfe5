// Which archive each archive number stands for. One table serves the whole
// module, so that a host that points archive 0 at a folder through its own
// Vaultrix is heard by Quenta, which obtains a Vaultrix of its own.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>

#include "EntrySource.h"

namespace quenta::vaultrix {

class ArchiveTable {
public:
    ArchiveTable() = default;
    ArchiveTable(const ArchiveTable&) = delete;
    ArchiveTable& operator=(const ArchiveTable&) = delete;
    // Gives back the table's reference on every archive; archives still
    // held elsewhere live on.
    ~ArchiveTable();

    static ArchiveTable& Shared();

    // Opens `path` for `number`; on failure the number keeps what it had.
    bool SetPath(int32_t number, const char* path);
    // The archive for `number` with a reference for the caller, or null.
    Archive* Open(int32_t number);

private:
    std::mutex mutex_;
    std::map<int32_t, EntrySource*> archives_;
};

}  // namespace quenta::vaultrix
