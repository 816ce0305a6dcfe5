// The hostile archives and pictures the Linux build replays through its fuzz
// targets (fuzz/corpus, fuzz/regressions), here through the Windows Vaultrix
// and Pictura DLLs: intact files work, damaged ones fail cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ArchiveFiles.h"
#include "PictureBytes.h"
#include "SiblingModules.h"

namespace quenta::testing {
namespace {

std::vector<std::filesystem::path> FilesIn(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool Contains(const std::filesystem::path& file, const char* word) {
    return file.filename().string().find(word) != std::string::npos;
}

class HostileFiles : public ::testing::Test {
protected:
    SiblingModule<Vaultrix> vaultrixModule_{host::Module::kVaultrix, VAULTRIX_MODULE_PATH, kVaultrixId};
    SiblingModule<Pictura> picturaModule_{host::Module::kPictura, PICTURA_MODULE_PATH, kPicturaId};
    Ref<Vaultrix> vaultrix_ = vaultrixModule_.Create();
    Ref<Pictura> pictura_ = picturaModule_.Create();

    // How many entries of the archive at `path` load and decode; -1 when
    // Vaultrix refuses the archive itself.
    int DecodedEntries(const std::string& path) {
        if (!vaultrix_->SetArchivePath(5, path.c_str())) return -1;
        Ref<Archive> archive(vaultrix_->OpenArchive(5));
        EXPECT_NE(archive, nullptr);
        if (!archive) return -1;
        int decoded = 0;
        for (int32_t number = -2; number < 16; ++number) {
            Ref<ArchiveEntry> entry(archive->OpenEntry(number));
            if (!entry) continue;
            const std::uintptr_t loaded = entry->Load();
            if (loaded == 0) {
                EXPECT_EQ(entry->GetBytes(), nullptr);
                EXPECT_EQ(entry->Share(loaded), 0u);
            }
            Ref<Surface> picture(pictura_->DecodeEntry(entry->Share(loaded)));
            decoded += picture != nullptr;
        }
        return decoded;
    }

    Ref<Surface> Decode(const Bytes& file) {
        return Ref<Surface>(pictura_->DecodeBytes(file.data(), static_cast<int32_t>(file.size())));
    }
};

TEST_F(HostileFiles, ArchivesOpenOrFailCleanly) {
    ASSERT_TRUE(vaultrix_ && pictura_);
    std::vector<std::filesystem::path> archives = FilesIn(QUENTA_FUZZ_DIR "/corpus/archive");
    const std::vector<std::filesystem::path> regressions = FilesIn(QUENTA_FUZZ_DIR "/regressions/archive");
    archives.insert(archives.end(), regressions.begin(), regressions.end());
    ASSERT_GE(archives.size(), 5u);
    for (const auto& file : archives) {
        SCOPED_TRACE(file.filename().string());
        const int decoded = DecodedEntries(file.string());
        // Claimed sizes the data does not hold, a cut file: nothing of them
        // may come out as a picture. (bad-crc.zip's damage is in a local
        // header only; the central directory, which libzip reads, is whole.)
        if (Contains(file, "truncated") || Contains(file, "claims")) {
            EXPECT_LE(decoded, 0);
        } else if (Contains(file, "stored") || Contains(file, "deflated") || Contains(file, "zip64") ||
                   Contains(file, "bad-crc")) {
            EXPECT_GT(decoded, 0);
        }
    }
    // The picture folder the fuzz targets draw from, as a folder archive.
    EXPECT_GT(DecodedEntries(QUENTA_FUZZ_DIR "/archive"), 3);
}

TEST_F(HostileFiles, EveryCorpusPictureDecodesAndEveryCutOneFails) {
    ASSERT_TRUE(pictura_);
    const std::vector<std::filesystem::path> pictures = FilesIn(QUENTA_FUZZ_DIR "/corpus/picture");
    ASSERT_GE(pictures.size(), 10u);
    for (const auto& file : pictures) {
        SCOPED_TRACE(file.filename().string());
        const Bytes bytes = ReadFile(file.string());
        ASSERT_FALSE(bytes.empty());
        Ref<Surface> whole = Decode(bytes);
        ASSERT_NE(whole, nullptr);
        EXPECT_GT(whole->GetWidth(), 0);
        EXPECT_GT(whole->GetHeight(), 0);
        EXPECT_TRUE(whole->HasPixels() || whole->HasAlpha());
        for (size_t length : {size_t{1}, size_t{10}, bytes.size() / 4, bytes.size() / 2, bytes.size() - 1}) {
            SCOPED_TRACE("cut to " + std::to_string(length));
            EXPECT_EQ(Decode(Cut(bytes, length)), nullptr);
        }
    }
}

}  // namespace
}  // namespace quenta::testing
