// Before a run draws: pictures of messages that are gone are removed, and
// the manifest stops vouching for the pictures about to be redrawn, so that
// a run killed half-way cannot leave a picture the manifest calls current.
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

std::vector<int32_t> ManifestNumbers(const std::string& folder) {
    ManifestReader reader(folder);
    std::vector<int32_t> numbers;
    ManifestEntry entry;
    while (reader.Next(entry)) numbers.push_back(entry.number);
    return numbers;
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

    EXPECT_EQ(ManifestNumbers(folder), (std::vector<int32_t>{1, 3}));
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
    EXPECT_TRUE(ManifestNumbers(folder).empty());
}

}  // namespace
}  // namespace quenta::script
