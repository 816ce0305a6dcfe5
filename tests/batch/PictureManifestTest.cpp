// The output folder's manifest: written and read back a message at a time,
// found in message order, and never naming anything outside the folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FolderFiles.h"
#include "PictureManifest.h"

namespace quenta::script {
namespace {

using testing::FreshFolder;
using testing::ReadBytes;
using testing::WriteBytes;

void Write(const std::string& folder, const std::vector<ManifestEntry>& entries) {
    ManifestWriter writer(folder);
    for (const ManifestEntry& entry : entries) writer.Add(entry);
    writer.Commit();
}

TEST(PictureManifest, FindsEntriesInMessageOrderAndSkipsMissingOnes) {
    const std::string folder = FreshFolder("manifest-find");
    Write(folder, {{1, "0001.png", "a"}, {2, "0002.png", "b"}, {5, "0005.png", "e"}});
    ManifestReader reader(folder);
    const struct {
        int32_t number;
        const char* key;  // null: no entry
    } asks[] = {{1, "a"}, {3, nullptr}, {4, nullptr}, {5, "e"}, {6, nullptr}};
    for (const auto& ask : asks) {
        const ManifestEntry* entry = reader.Find(ask.number);
        if (!ask.key) {
            EXPECT_EQ(entry, nullptr) << ask.number;
            continue;
        }
        ASSERT_NE(entry, nullptr) << ask.number;
        EXPECT_EQ(entry->key, ask.key);
        EXPECT_EQ(entry->name, "000" + std::to_string(ask.number) + ".png");
    }
}

TEST(PictureManifest, AnUncommittedWriterLeavesTheOldOne) {
    const std::string folder = FreshFolder("manifest-uncommitted");
    Write(folder, {{1, "0001.png", "a"}});
    const std::string before = ReadBytes(folder + "/" + kManifestFileName);
    {
        ManifestWriter writer(folder);
        writer.Add({1, "0001.png", "changed"});
    }
    EXPECT_EQ(ReadBytes(folder + "/" + kManifestFileName), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

// A manifest edited by hand or left by another program: lines that are no
// entry, or that name anything but a picture in the folder, are passed by.
TEST(PictureManifest, ReadsOnlyEntriesThatNameAPictureInTheFolder) {
    const std::string folder = FreshFolder("manifest-hostile");
    WriteBytes(folder + "/" + kManifestFileName,
               "{\"format\":2}\n"
               "[1,\"0001.png\",\"a\"]\n"
               "[2,\"../outside.png\",\"b\"]\n"
               "[3,\"sub/0003.png\",\"c\"]\n"
               "[4,\"notes.txt\",\"d\"]\n"
               "not json at all\n"
               "[5,\"0005.png\"]\n"
               "[6,\"0006.png\",\"f\"]\n");
    ManifestReader reader(folder);
    std::vector<int32_t> numbers;
    ManifestEntry entry;
    while (reader.Next(entry)) numbers.push_back(entry.number);
    EXPECT_EQ(numbers, (std::vector<int32_t>{1, 6}));
}

TEST(PictureManifest, AForeignOrMissingManifestReadsAsEmpty) {
    for (const char* text : {"", "{\"format\":1,\"pictures\":{\"0001.png\":\"a\"}}\n[1,\"0001.png\",\"a\"]\n", "[1,\"0001.png\",\"a\"]\n"}) {
        const std::string folder = FreshFolder("manifest-foreign");
        if (*text) WriteBytes(folder + "/" + kManifestFileName, text);
        ManifestReader reader(folder);
        EXPECT_EQ(reader.Find(1), nullptr) << text;
    }
}

}  // namespace
}  // namespace quenta::script
