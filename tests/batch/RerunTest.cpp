// A rerun draws only what changed: the manifest in the output folder
// remembers what each picture was drawn from.
#include <gtest/gtest.h>

#include <filesystem>

#include "FolderFiles.h"
#include "RunTool.h"

namespace quenta::testing {
namespace {

namespace fs = std::filesystem;

std::string Script(const std::string& second) {
    return "first message\n\n" + second + "\n\nthird <C255,0,0>red</C>\n\nfourth\n";
}

ToolRun Render(const std::string& folder, const std::vector<std::string>& more = {}) {
    std::vector<std::string> args = {"render", "--script", "script.txt", "--out-dir", "out", "-j", "2"};
    args.insert(args.end(), more.begin(), more.end());
    return RunTool(args, "", folder);
}

TEST(Rerun, RedrawsOnlyTheMessageThatChanged) {
    const std::string folder = FreshFolder("rerun");
    WriteBytes(folder + "/script.txt", Script("second message"));
    ASSERT_EQ(Render(folder).status, 0);
    const auto before = PictureInodes(folder + "/out");
    ASSERT_EQ(before.size(), 4u);
    const std::string secondBefore = ReadBytes(folder + "/out/0002.png");

    const ToolRun same = Render(folder);
    EXPECT_NE(same.err.find("0 pictures drawn, 4 up to date"), std::string::npos) << same.err;
    EXPECT_EQ(PictureInodes(folder + "/out"), before);

    WriteBytes(folder + "/script.txt", Script("second message, edited"));
    const ToolRun edited = Render(folder);
    ASSERT_EQ(edited.status, 0) << edited.err;
    EXPECT_NE(edited.err.find("1 picture drawn, 3 up to date"), std::string::npos) << edited.err;
    const auto after = PictureInodes(folder + "/out");
    for (const auto& [name, inode] : before) {
        if (name == "0002.png") {
            EXPECT_NE(after.at(name), inode) << name << " was not redrawn";
        } else {
            EXPECT_EQ(after.at(name), inode) << name << " was redrawn";
        }
    }
    EXPECT_NE(ReadBytes(folder + "/out/0002.png"), secondBefore);
}

TEST(Rerun, RedrawsAllWhenADrawingOptionChangesOrAPictureIsGone) {
    const std::string folder = FreshFolder("rerun-options");
    WriteBytes(folder + "/script.txt", Script("second"));
    ASSERT_EQ(Render(folder).status, 0);
    fs::remove(folder + "/out/0003.png");
    const ToolRun missing = Render(folder);
    EXPECT_NE(missing.err.find("1 picture drawn, 3 up to date"), std::string::npos) << missing.err;
    const ToolRun background = Render(folder, {"--background", "203040"});
    EXPECT_NE(background.err.find("4 pictures drawn, 0 up to date"), std::string::npos) << background.err;
}

// A shorter script leaves no pictures of messages it no longer has; files
// the tool did not draw stay.
TEST(Rerun, RemovesOnlyItsOwnPicturesOfMessagesThatAreGone) {
    const std::string folder = FreshFolder("rerun-shorter");
    WriteBytes(folder + "/script.txt", Script("second"));
    ASSERT_EQ(Render(folder).status, 0);
    WriteBytes(folder + "/out/cover.png", "not ours");
    WriteBytes(folder + "/script.txt", "first message\n\nsecond\n");
    const ToolRun shorter = Render(folder);
    ASSERT_EQ(shorter.status, 0) << shorter.err;
    EXPECT_TRUE(fs::exists(folder + "/out/0002.png"));
    EXPECT_FALSE(fs::exists(folder + "/out/0003.png"));
    EXPECT_FALSE(fs::exists(folder + "/out/0004.png"));
    EXPECT_EQ(ReadBytes(folder + "/out/cover.png"), "not ours");
}

// New names: the pictures under the old ones go, since this tool drew them.
TEST(Rerun, NewNamesReplaceTheOldPictures) {
    const std::string folder = FreshFolder("rerun-names");
    WriteBytes(folder + "/script.txt", Script("second"));
    ASSERT_EQ(Render(folder).status, 0);
    const ToolRun renamed = Render(folder, {"--names", "line-#.png"});
    ASSERT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_NE(renamed.err.find("4 pictures drawn, 0 up to date"), std::string::npos) << renamed.err;
    for (int n = 1; n <= 4; ++n) {
        EXPECT_FALSE(fs::exists(folder + "/out/000" + std::to_string(n) + ".png")) << n;
        EXPECT_TRUE(fs::exists(folder + "/out/line-" + std::to_string(n) + ".png")) << n;
    }
}

// The manifest is a file anyone can edit: a name in it that leads out of
// the folder removes nothing there.
TEST(Rerun, AManifestNamingFilesElsewhereRemovesNothingThere) {
    const std::string folder = FreshFolder("rerun-hostile-manifest");
    WriteBytes(folder + "/script.txt", "only message\n");
    WriteBytes(folder + "/keep.png", "precious");
    fs::create_directories(folder + "/out");
    WriteBytes(folder + "/out/.quenta-pictures.jsonl", "{\"format\":2}\n[7,\"../keep.png\",\"x\"]\n");
    const ToolRun run = Render(folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder + "/keep.png"), "precious");
    EXPECT_TRUE(fs::exists(folder + "/out/0001.png"));
}

}  // namespace
}  // namespace quenta::testing
