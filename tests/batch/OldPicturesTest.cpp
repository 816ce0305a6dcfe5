// Before a run draws: pictures of messages that are gone are removed, and
// the manifest stops vouching for the pictures about to be redrawn, so that
// a run killed half-way cannot leave a picture the manifest calls current;
// it still names them, with no key, as this tool's to draw over.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FolderFiles.h"
#include "OldPictures.h"
#include "PictureManifest.h"

namespace quenta::script {
namespace {

namespace fs = std::filesystem;
using testing::FreshFolder;
using testing::ReadBytes;
using testing::WriteBytes;

// "1 0001.png key": each entry of the folder's manifest.
std::vector<std::string> ManifestEntries(const std::string& folder) {
    ManifestReader reader(folder);
    std::vector<std::string> entries;
    ManifestEntry entry;
    while (reader.Next(entry)) entries.push_back(std::to_string(entry.number) + " " + entry.name + " " + entry.key);
    return entries;
}

TEST(OldPictures, KeepsTheCurrentForgetsTheRedrawnRemovesTheGone) {
    const std::string folder = FreshFolder("old-pictures");
    {
        ManifestWriter writer(folder);
        for (int32_t n = 1; n <= 4; ++n) {
            const std::string name = "000" + std::to_string(n) + ".png";
            WriteBytes(folder + "/" + name, "picture " + std::to_string(n));
            writer.Add({n, name, "key"});
        }
        writer.Commit();
    }
    WriteBytes(folder + "/cover.png", "not ours");

    // The script now has three messages, and the second is to be redrawn.
    SettleOldPictures(folder, PictureNames("####.png"), {false, true, false});

    EXPECT_EQ(ManifestEntries(folder), (std::vector<std::string>{"1 0001.png key", "2 0002.png ", "3 0003.png key"}));
    EXPECT_EQ(ReadBytes(folder + "/0002.png"), "picture 2");  // the worker replaces it
    EXPECT_FALSE(fs::exists(folder + "/0004.png"));
    EXPECT_EQ(ReadBytes(folder + "/cover.png"), "not ours");
}

TEST(OldPictures, NewNamesRemoveEveryOldPicture) {
    const std::string folder = FreshFolder("old-pictures-renamed");
    {
        ManifestWriter writer(folder);
        WriteBytes(folder + "/0001.png", "picture");
        writer.Add({1, "0001.png", "key"});
        writer.Commit();
    }
    SettleOldPictures(folder, PictureNames("line-#.png"), {true});
    EXPECT_FALSE(fs::exists(folder + "/0001.png"));
    EXPECT_EQ(ManifestEntries(folder), (std::vector<std::string>{"1 line-1.png "}));
}

}  // namespace
}  // namespace quenta::script
