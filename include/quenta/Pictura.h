// Pictura's interface (kPicturaId): turns stored picture files (PNG, BMP)
// into surfaces. An opaque picture has a colour plane only; one with any
// transparency also has an alpha plane; and one whose every pixel that is not
// fully transparent is pure white is a mask: an alpha plane only, which
// Quenta lays on in the text colour.
#pragma once

#include <cstdint>

#include "quenta/Surface.h"

namespace quenta {

class Pictura {
public:
    virtual int32_t AddRef() = 0;                                          // 0
    virtual int32_t Release() = 0;                                         // 1
    // Decodes the entry behind a handle from ArchiveEntry::Share. The picture
    // carries one reference for the caller; null when it cannot be decoded.
    virtual Surface* DecodeEntry(std::uintptr_t shared) = 0;               // 2
    // Decodes a file image held in memory; same result as DecodeEntry.
    virtual Surface* DecodeBytes(const uint8_t* bytes, int32_t size) = 0;  // 3

protected:
    ~Pictura() = default;
};

}  // namespace quenta
