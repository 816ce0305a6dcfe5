// Vaultrix's interfaces (kVaultrixId): numbered archives of numbered entries.
#pragma once

#include <cstdint>

namespace quenta {

// One stored file. Its bytes travel to Pictura as a handle: Load reads them
// and answers a handle, Share turns that handle into the one Pictura decodes.
// Both handles are pointer-sized and stay valid while the entry is alive;
// the shared one is the entry's own address (an ArchiveEntry*).
class ArchiveEntry {
public:
    virtual int32_t AddRef() = 0;                             // 0
    virtual int32_t Release() = 0;                            // 1
    virtual int32_t GetSize() = 0;                            // 2: bytes, once loaded
    virtual const uint8_t* GetBytes() = 0;                    // 3: null until loaded
    virtual int32_t GetNumber() = 0;                          // 4
    virtual std::uintptr_t Load() = 0;                        // 5: 0 on failure
    virtual std::uintptr_t Share(std::uintptr_t loaded) = 0;  // 6: 0 on failure

protected:
    ~ArchiveEntry() = default;
};

class Archive {
public:
    virtual int32_t AddRef() = 0;                              // 0
    virtual int32_t Release() = 0;                             // 1
    virtual ArchiveEntry* OpenEntry(int32_t number) = 0;       // 2: null when absent

protected:
    ~Archive() = default;
};

class Vaultrix {
public:
    virtual int32_t AddRef() = 0;                              // 0
    virtual int32_t Release() = 0;                             // 1
    virtual Archive* OpenArchive(int32_t number) = 0;          // 2: null when unavailable
    // Points archive `number` at a folder or a ZIP file; false when it cannot
    // be opened. Archives already handed out keep what they had. Entry n is
    // the file "n.png", else "n.bmp" ("-3.png" for -3), at the archive's top.
    // Every Vaultrix of a process shares one set of archive numbers.
    virtual bool SetArchivePath(int32_t number, const char* path) = 0;  // 3

protected:
    ~Vaultrix() = default;
};

}  // namespace quenta
