// Staged files: the temporary names a run makes, told apart from any other
// file when a later run tidies up, and the old file kept until Commit.
#include <gtest/gtest.h>

#include <string>

#include "FolderFiles.h"
#include "StagedFile.h"

namespace quenta::script {
namespace {

TEST(StagedFile, TellsItsTemporaryNamesFromOtherFiles) {
    const struct {
        const char* file;
        const char* staged;  // null: not a staging name
    } cases[] = {
        {".0001.png.4242.tmp", "0001.png"},
        {".index.html.messages.7.tmp", "index.html.messages"},
        {"..quenta-pictures.jsonl.99.tmp", ".quenta-pictures.jsonl"},
        {"0001.png.4242.tmp", nullptr},   // no leading dot
        {".0001.png.42a.tmp", nullptr},   // no process number
        {".0001.png..tmp", nullptr},
        {".4242.tmp", nullptr},           // no name
        {".0001.png.4242.temp", nullptr},
        {".tmp", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> staged = StagedName(c.file);
        EXPECT_EQ(staged.has_value(), c.staged != nullptr) << c.file;
        if (staged && c.staged) {
            EXPECT_EQ(*staged, c.staged) << c.file;
        }
    }
    EXPECT_EQ(StagedName(StagingPath("out/0007.png").filename().string()), "0007.png");
}

TEST(StagedFile, TheOldFileStaysUntilCommit) {
    const std::string folder = testing::FreshFolder("staged-file");
    const std::string path = folder + "/index.html";
    testing::WriteBytes(path, "old");
    {
        StagedFile file(path);
        file.Out() << "abandoned";
    }
    EXPECT_EQ(testing::ReadBytes(path), "old");
    StagedFile file(path);
    file.Out() << "new";
    EXPECT_EQ(testing::ReadBytes(path), "old");
    file.Commit();
    EXPECT_EQ(testing::ReadBytes(path), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace quenta::script
