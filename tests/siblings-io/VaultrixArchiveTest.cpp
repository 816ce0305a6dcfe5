// Vaultrix over a folder and over a ZIP file, with Pictura decoding what it
// loads, the way Quenta's picture cache asks for a picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ArchiveFiles.h"
#include "PictureBytes.h"
#include "SiblingModules.h"

namespace quenta::testing {
namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

class VaultrixTest : public ::testing::Test {
protected:
    SiblingModule<Vaultrix> vaultrixModule_{host::Module::kVaultrix, QUENTA_VAULTRIX_MODULE, kVaultrixId};
    SiblingModule<Pictura> picturaModule_{host::Module::kPictura, QUENTA_PICTURA_MODULE, kPicturaId};
    ScratchFolder scratch_;

    // The red of a decoded picture's top-left pixel; -1 when it does not decode.
    int DecodedRed(ArchiveEntry& entry) {
        Ref<Pictura> pictura = picturaModule_.Create();
        Ref<Surface> picture(pictura->DecodeEntry(entry.Share(entry.Load())));
        return picture ? picture->GetPixelAddress(0, 0)[2] : -1;
    }
};

enum class Kind { kFolder, kZipStored, kZipDeflated };

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::kFolder: return "Folder";
        case Kind::kZipStored: return "ZipStored";
        default: return "ZipDeflated";
    }
}
void PrintTo(Kind kind, std::ostream* os) { *os << KindName(kind); }

class EveryArchiveKind : public VaultrixTest, public ::testing::WithParamInterface<Kind> {
protected:
    const Bytes redPng_ = MakePng(2, 2, std::vector<Rgba>(4, kRed), false);
    const Bytes blueBmp_ = MakeBmp(1, 1, {kBlue}, 24);
    const Bytes brokenPng_ = Cut(redPng_, redPng_.size() / 2);
    const NamedFiles files_ = {
        {"1.png", redPng_},     {"2.bmp", blueBmp_},  {"-3.png", redPng_},
        {"5.png", redPng_},     {"5.bmp", blueBmp_},  {"6.png", brokenPng_},
        {"7.jpg", redPng_},     {"sub/8.png", redPng_},
    };

    // Points archive 0 of a fresh Vaultrix at the files and opens it.
    Ref<Archive> OpenFiles() {
        std::string path = scratch_ / "pictures";
        if (GetParam() == Kind::kFolder) {
            std::filesystem::create_directories(path + "/sub");
            MakeFolder(path, files_);
        } else {
            path += ".zip";
            MakeZip(path, files_, GetParam() == Kind::kZipStored);
        }
        Ref<Vaultrix> vaultrix = vaultrixModule_.Create();
        EXPECT_TRUE(vaultrix->SetArchivePath(0, path.c_str()));
        return Ref<Archive>(vaultrix->OpenArchive(0));
    }
};

TEST_P(EveryArchiveKind, FindsPicturesByNumberInExtensionOrder) {
    Ref<Archive> archive = OpenFiles();
    ASSERT_NE(archive, nullptr);
    const struct {
        int32_t number;
        int red;  // -1: no entry
    } cases[] = {
        {1, 255}, {2, 0}, {-3, 255}, {5, 255},  // .png before .bmp
        {4, -1}, {7, -1}, {8, -1},                // absent, unknown extension, not at the top
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        Ref<ArchiveEntry> entry(archive->OpenEntry(c.number));
        if (c.red < 0) {
            EXPECT_EQ(entry, nullptr);
            continue;
        }
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->GetNumber(), c.number);
        EXPECT_EQ(DecodedRed(*entry), c.red);
    }
}

TEST_P(EveryArchiveKind, LoadReadsTheBytesAndShareHandsOverTheEntry) {
    Ref<Archive> archive = OpenFiles();
    ASSERT_NE(archive, nullptr);
    Ref<ArchiveEntry> entry(archive->OpenEntry(1));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->GetSize(), 0);
    EXPECT_EQ(entry->GetBytes(), nullptr);

    const std::uintptr_t loaded = entry->Load();
    ASSERT_NE(loaded, 0u);
    EXPECT_EQ(entry->Load(), loaded);
    ASSERT_EQ(entry->GetSize(), static_cast<int32_t>(redPng_.size()));
    EXPECT_EQ(Bytes(entry->GetBytes(), entry->GetBytes() + entry->GetSize()), redPng_);
    EXPECT_EQ(entry->Share(loaded), reinterpret_cast<std::uintptr_t>(entry.get()));
    EXPECT_EQ(entry->Share(0), 0u);
    EXPECT_EQ(entry->Share(loaded + 1), 0u);
    Ref<ArchiveEntry> other(archive->OpenEntry(2));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(entry->Share(other->Load()), 0u);
}

TEST_P(EveryArchiveKind, DamagedPictureLoadsButDoesNotDecode) {
    Ref<Archive> archive = OpenFiles();
    ASSERT_NE(archive, nullptr);
    Ref<ArchiveEntry> entry(archive->OpenEntry(6));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(DecodedRed(*entry), -1);
    EXPECT_EQ(entry->GetSize(), static_cast<int32_t>(brokenPng_.size()));
}

TEST_P(EveryArchiveKind, EntriesOutliveTheArchiveAndTheVaultrix) {
    Ref<Archive> archive = OpenFiles();
    ASSERT_NE(archive, nullptr);
    Ref<ArchiveEntry> entry(archive->OpenEntry(1));
    ASSERT_NE(entry, nullptr);
    archive.reset();
    // Pointing archive 0 elsewhere drops the table's reference as well.
    Ref<Vaultrix> vaultrix = vaultrixModule_.Create();
    ASSERT_TRUE(vaultrix->SetArchivePath(0, scratch_.Path().c_str()));
    vaultrix.reset();
    EXPECT_EQ(DecodedRed(*entry), 255);
}

TEST_P(EveryArchiveKind, ArchiveHandedOutKeepsItsFilesWhenThePathChanges) {
    Ref<Archive> before = OpenFiles();
    ASSERT_NE(before, nullptr);
    Ref<Vaultrix> vaultrix = vaultrixModule_.Create();
    ASSERT_TRUE(vaultrix->SetArchivePath(0, scratch_.Path().c_str()));
    Ref<Archive> after(vaultrix->OpenArchive(0));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(Ref<ArchiveEntry>(after->OpenEntry(1)), nullptr);
    Ref<ArchiveEntry> kept(before->OpenEntry(1));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(DecodedRed(*kept), 255);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryArchiveKind,
                         ::testing::Values(Kind::kFolder, Kind::kZipStored, Kind::kZipDeflated),
                         [](const auto& info) { return std::string(KindName(info.param)); });

TEST_F(VaultrixTest, ArchiveNumbersAreSharedByEveryVaultrix) {
    Ref<Vaultrix> host = vaultrixModule_.Create();
    Ref<Vaultrix> quenta = vaultrixModule_.Create();
    ASSERT_NE(host, nullptr);
    ASSERT_NE(quenta, nullptr);
    EXPECT_EQ(Ref<Archive>(quenta->OpenArchive(0)), nullptr);
    ASSERT_TRUE(host->SetArchivePath(0, scratch_.Path().c_str()));
    host.reset();
    EXPECT_NE(Ref<Archive>(quenta->OpenArchive(0)), nullptr);
    EXPECT_EQ(Ref<Archive>(quenta->OpenArchive(1)), nullptr);
}

TEST_F(VaultrixTest, PathsThatCannotBeOpenedAreRefusedAndChangeNothing) {
    MakeZip(scratch_ / "good.zip", {{"1.png", MakePng(1, 1, {kRed}, false)}}, false);
    const Bytes zip = ReadFile(scratch_ / "good.zip");
    WriteFile(scratch_ / "cut.zip", Cut(zip, zip.size() - 10));
    WriteFile(scratch_ / "text.zip", {'n', 'o', 't', ' ', 'a', ' ', 'z', 'i', 'p'});

    Ref<Vaultrix> vaultrix = vaultrixModule_.Create();
    ASSERT_TRUE(vaultrix->SetArchivePath(0, (scratch_ / "good.zip").c_str()));
    const std::string missing = scratch_ / "missing";
    const std::string cut = scratch_ / "cut.zip";
    const std::string text = scratch_ / "text.zip";
    for (const char* path : {missing.c_str(), cut.c_str(), text.c_str(), "", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(path ? path : "(null)");
        EXPECT_FALSE(vaultrix->SetArchivePath(0, path));
        Ref<Archive> archive(vaultrix->OpenArchive(0));
        ASSERT_NE(archive, nullptr);
        EXPECT_NE(Ref<ArchiveEntry>(archive->OpenEntry(1)), nullptr);
    }
    EXPECT_FALSE(vaultrix->SetArchivePath(1, missing.c_str()));
    EXPECT_EQ(Ref<Archive>(vaultrix->OpenArchive(1)), nullptr);
}

TEST_F(VaultrixTest, DamagedZipMemberFailsToLoad) {
    const Bytes png = MakePng(8, 8, std::vector<Rgba>(64, kRed), false);
    for (const bool stored : {true, false}) {
        SCOPED_TRACE(stored ? "stored" : "deflated");
        const std::string path = scratch_ / (stored ? "stored.zip" : "deflated.zip");
        MakeZip(path, {{"1.png", png}}, stored);
        Bytes zip = ReadFile(path);
        // The member's data follows its 30-byte local header, name and extra field.
        const size_t data = 30 + zip[26] + (zip[27] << 8) + zip[28] + (zip[29] << 8);
        const size_t length = zip[18] | (zip[19] << 8) | (zip[20] << 16) | (size_t{zip[21]} << 24);
        WriteFile(path, Flip(zip, data + length / 2));

        Ref<Vaultrix> vaultrix = vaultrixModule_.Create();
        ASSERT_TRUE(vaultrix->SetArchivePath(0, path.c_str()));
        Ref<Archive> archive(vaultrix->OpenArchive(0));
        ASSERT_NE(archive, nullptr);
        Ref<ArchiveEntry> entry(archive->OpenEntry(1));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->Load(), 0u);
        EXPECT_EQ(entry->GetBytes(), nullptr);
        EXPECT_EQ(entry->Share(entry->Load()), 0u);
        EXPECT_EQ(DecodedRed(*entry), -1);
    }
}

TEST_F(VaultrixTest, FolderPictureRemovedAfterOpeningFailsToLoad) {
    WriteFile(scratch_ / "1.png", MakePng(1, 1, {kRed}, false));
    Ref<Vaultrix> vaultrix = vaultrixModule_.Create();
    ASSERT_TRUE(vaultrix->SetArchivePath(0, scratch_.Path().c_str()));
    Ref<Archive> archive(vaultrix->OpenArchive(0));
    Ref<ArchiveEntry> entry(archive->OpenEntry(1));
    ASSERT_NE(entry, nullptr);
    std::filesystem::remove(scratch_ / "1.png");
    EXPECT_EQ(entry->Load(), 0u);
    EXPECT_EQ(DecodedRed(*entry), -1);
}

}  // namespace
}  // namespace quenta::testing
