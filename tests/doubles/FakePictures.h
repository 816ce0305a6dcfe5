// A Vaultrix and a Pictura whose pictures are described by settings:
// "picture.N" is the kind of picture N (see PictureKind), "picture.N.w" and
// "picture.N.h" its size (16 x 8 unless set); "vaultrix.archive" 0 makes
// OpenArchive fail, "vaultrix.path" 0 SetArchivePath. Every call is
// recorded. Each module's one object is kept by the module with a reference
// of its own, as Plotra's is.
#pragma once

#include "RecordedCount.h"
#include "quenta/Pictura.h"
#include "quenta/Vaultrix.h"

namespace quenta::testing {

enum PictureKind : int32_t {
    kMissing = 0,       // the archive has no entry
    kColorOnly = 1,     // colour plane, no alpha plane
    kColorAndAlpha = 2,
    kAlphaOnly = 3,
    kNoPlanes = 4,
    kUndecodable = 5,   // an entry Pictura cannot decode
};

class FakeVaultrix final : public RecordedCount<FakeVaultrix, Vaultrix> {
public:
    static constexpr char kRecordName[] = "Vaultrix";

    FakeVaultrix() = default;
    ~FakeVaultrix() = default;

    Archive* OpenArchive(int32_t number) override;
    bool SetArchivePath(int32_t number, const char* path) override;
};

class FakePictura final : public RecordedCount<FakePictura, Pictura> {
public:
    static constexpr char kRecordName[] = "Pictura";

    FakePictura() = default;
    ~FakePictura() = default;

    Surface* DecodeEntry(std::uintptr_t shared) override;
    Surface* DecodeBytes(const uint8_t* bytes, int32_t size) override;
};

}  // namespace quenta::testing
