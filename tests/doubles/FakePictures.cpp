#include "FakePictures.h"

#include <string>
#include <utility>

#include "quenta/BitmapSurface.h"
#include "Recorder.h"

namespace quenta::testing {

namespace {

int32_t PictureSetting(int32_t number, const char* field, int32_t fallback) {
    std::string key = "picture." + std::to_string(number) + field;
    return GetSetting(key.c_str(), fallback);
}

// Records its release and forwards everything to a real bitmap.
class RecordingPicture final : public RefCounted<RecordingPicture, Surface> {
public:
    RecordingPicture(int32_t number, BitmapPtr bitmap) : number_(number), bitmap_(std::move(bitmap)) {}

    int32_t Release() override {
        Record("Picture.Release(%d)", number_);
        return RefCounted::Release();
    }
    uint8_t* GetPixelAddress(int32_t x, int32_t y) override { return bitmap_->GetPixelAddress(x, y); }
    uint8_t* GetAlphaAddress(int32_t x, int32_t y) override { return bitmap_->GetAlphaAddress(x, y); }
    int32_t GetWidth() override { return bitmap_->GetWidth(); }
    int32_t GetHeight() override { return bitmap_->GetHeight(); }
    int32_t GetDepth() override { return bitmap_->GetDepth(); }
    int32_t GetPitch() override { return bitmap_->GetPitch(); }
    int32_t GetAlphaPitch() override { return bitmap_->GetAlphaPitch(); }
    bool HasPixels() override { return bitmap_->HasPixels(); }
    bool HasAlpha() override { return bitmap_->HasAlpha(); }

private:
    friend RefCounted;
    ~RecordingPicture() = default;

    int32_t number_;
    BitmapPtr bitmap_;
};

class FakeEntry final : public RefCounted<FakeEntry, ArchiveEntry> {
public:
    explicit FakeEntry(int32_t number) : number_(number) {}

    int32_t Release() override {
        Record("Entry.Release(%d)", number_);
        return RefCounted::Release();
    }
    int32_t GetSize() override { return 0; }
    const uint8_t* GetBytes() override { return nullptr; }
    int32_t GetNumber() override { return number_; }
    std::uintptr_t Load() override {
        Record("Entry.Load(%d)", number_);
        return reinterpret_cast<std::uintptr_t>(this);
    }
    std::uintptr_t Share(std::uintptr_t loaded) override {
        Record("Entry.Share(%d)", number_);
        return loaded == reinterpret_cast<std::uintptr_t>(this) ? loaded : 0;
    }

private:
    friend RefCounted;
    ~FakeEntry() = default;

    int32_t number_;
};

class FakeArchive final : public RefCounted<FakeArchive, Archive> {
public:
    int32_t Release() override {
        Record("Archive.Release");
        return RefCounted::Release();
    }
    ArchiveEntry* OpenEntry(int32_t number) override {
        Record("Archive.OpenEntry(%d)", number);
        if (PictureSetting(number, "", kMissing) == kMissing) return nullptr;
        return new FakeEntry(number);
    }

private:
    friend RefCounted;
    ~FakeArchive() = default;
};

}  // namespace

Archive* FakeVaultrix::OpenArchive(int32_t number) {
    Record("Vaultrix.OpenArchive(%d)", number);
    if (!GetSetting("vaultrix.archive", 1)) return nullptr;
    return new FakeArchive();
}

bool FakeVaultrix::SetArchivePath(int32_t number, const char* path) {
    Record("Vaultrix.SetArchivePath(%d,%s)", number, Printable(path).c_str());
    return GetSetting("vaultrix.path", 1) != 0;
}

Surface* FakePictura::DecodeEntry(std::uintptr_t shared) {
    if (!shared) {
        Record("Pictura.DecodeEntry(null)");
        return nullptr;
    }
    const int32_t number = reinterpret_cast<ArchiveEntry*>(shared)->GetNumber();
    Record("Pictura.DecodeEntry(%d)", number);
    const int32_t kind = PictureSetting(number, "", kMissing);
    if (kind == kUndecodable || kind == kMissing) return nullptr;
    const bool pixels = kind == kColorOnly || kind == kColorAndAlpha;
    const bool alpha = kind == kColorAndAlpha || kind == kAlphaOnly;
    BitmapPtr bitmap(BitmapSurface::Create(PictureSetting(number, ".w", 16), PictureSetting(number, ".h", 8), 24,
                                           pixels, alpha));
    if (!bitmap) return nullptr;
    return new RecordingPicture(number, std::move(bitmap));
}

Surface* FakePictura::DecodeBytes(const uint8_t*, int32_t size) {
    Record("Pictura.DecodeBytes(%d)", size);
    return nullptr;
}

}  // namespace quenta::testing
