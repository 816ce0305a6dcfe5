// Baselines: today's findings recorded, so that a later check reports only
// new ones. An entry holds when lines are inserted above its message and
// other messages change; a new finding in a baselined message is new; a
// fixed finding's entry is listed, and --update-baseline removes it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "RunTool.h"

namespace quenta::testing {
namespace {

namespace fs = std::filesystem;

class BaselineTest : public ::testing::Test {
protected:
    // One folder per test: ctest runs them at once.
    const fs::path folder_ = fs::path(QUENTA_WORK_DIR) / "baseline" / ::testing::UnitTest::GetInstance()->current_test_info()->name();

    void SetUp() override {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    ToolRun Check(const std::vector<std::string>& more) {
        std::vector<std::string> args = {"check", "--no-config", "--column", "text", "--key-column", "id"};
        args.insert(args.end(), more.begin(), more.end());
        return RunTool(args);
    }
};

std::string Po(const std::string& above, const std::string& second, const std::string& third) {
    return "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n" + above +
           "msgid \"one\"\nmsgstr \"Hi <r> there\"\n\n"
           "msgctxt \"menu\"\nmsgid \"two\"\nmsgstr \"" + second + "\"\n\n"
           "msgid \"three\"\nmsgstr \"" + third + "\"\n";
}

TEST_F(BaselineTest, SurvivesMovesAndOtherEditsAndReportsOnlyNewFindings) {
    const std::string po = Write("scene.po", Po("", "Bye <XY>", "Later"));
    const std::string baseline = (folder_ / "baseline.json").string();
    const ToolRun written = RunTool({"check", "--no-config", "--write-baseline", baseline, po});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_NE(written.err.find("2 baseline entries written"), std::string::npos) << written.err;
    const std::string stored = Read(baseline);
    EXPECT_NE(stored.find("\"key\": \"menu\\u0004two\""), std::string::npos) << stored;

    // Lines inserted above, and the third message edited: nothing new.
    Write("scene.po", Po("# a new entry\nmsgid \"zero\"\nmsgstr \"Fine\"\n\n", "Bye <XY>", "Later, and more"));
    const ToolRun same = RunTool({"check", "--no-config", "--baseline", baseline, po});
    EXPECT_EQ(same.status, 0) << same.out << same.err;
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(same.err, "");

    // A new finding in a baselined message is reported; the old one is not.
    Write("scene.po", Po("", "Bye <XY> <q>", "Later"));
    const ToolRun added = RunTool({"check", "--no-config", "--baseline", baseline, po});
    EXPECT_EQ(added.status, 1);
    EXPECT_NE(added.out.find("'<q>' is no tag"), std::string::npos) << added.out;
    EXPECT_EQ(added.out.find("'<XY>'"), std::string::npos) << added.out;
    EXPECT_EQ(added.out.find("'<r>'"), std::string::npos) << added.out;

    // A fixed finding: its entry is listed, then removed on request.
    Write("scene.po", Po("", "Bye", "Later"));
    const ToolRun fixed = RunTool({"check", "--no-config", "--baseline", baseline, po});
    EXPECT_EQ(fixed.status, 0) << fixed.out;
    EXPECT_NE(fixed.err.find("baseline.json: note: no longer found: scene.po [unknown-tag] in 'menu|two'"), std::string::npos)
        << fixed.err;
    const ToolRun updated = RunTool({"check", "--no-config", "--baseline", baseline, "--update-baseline", po});
    EXPECT_NE(updated.err.find(", removed"), std::string::npos) << updated.err;
    EXPECT_EQ(Read(baseline).find("two"), std::string::npos) << Read(baseline);
    EXPECT_NE(Read(baseline).find("\"key\": \"one\""), std::string::npos) << Read(baseline);
    const ToolRun clean = RunTool({"check", "--no-config", "--baseline", baseline, po});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.err, "") << clean.err;
}

// CSV keyed on a column: rows may move; the file is the same bytes when
// written again, entries sorted.
TEST_F(BaselineTest, CsvRowsKeyedOnAColumnAndStableFile) {
    const std::string csv = Write("lines.csv", "id,text\nb,Bye <XY>\na,Hi <r>\nc,Fine\n");
    const std::string baseline = (folder_ / "lines.json").string();
    ASSERT_EQ(Check({"--write-baseline", baseline, csv}).status, 0);
    const std::string first = Read(baseline);
    EXPECT_LT(first.find("\"key\": \"a\""), first.find("\"key\": \"b\"")) << first;
    fs::remove(baseline);
    ASSERT_EQ(Check({"--write-baseline", baseline, csv}).status, 0);
    EXPECT_EQ(Read(baseline), first);

    Write("lines.csv", "id,text\nc,Fine\na,Hi <r>\nnew,Hello\nb,Bye <XY>\n");
    const ToolRun moved = Check({"--baseline", baseline, csv});
    EXPECT_EQ(moved.status, 0) << moved.out << moved.err;
    EXPECT_EQ(moved.out, "");
}

// Plain text has no keys of its own: a message is known by its text, so
// that it holds wherever the message moves.
TEST_F(BaselineTest, PlainTextKnownByItsText) {
    const std::string txt = Write("scene.txt", "Hi <r>\n\nFine\n");
    const std::string baseline = (folder_ / "text.json").string();
    ASSERT_EQ(RunTool({"check", "--no-config", "--write-baseline", baseline, txt}).status, 0);
    Write("scene.txt", "New first\n\nFine, edited\n\nHi <r>\n\nBye <q>\n");
    const ToolRun run = RunTool({"check", "--no-config", "--baseline", baseline, txt});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("'<q>'"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("'<r>'"), std::string::npos) << run.out;
}

TEST_F(BaselineTest, NoBaselineFileIsAnUnreadableInput) {
    const std::string txt = Write("scene.txt", "Hi\n");
    const std::string bad = Write("bad.json", "{\"version\": 1}");
    EXPECT_EQ(RunTool({"check", "--no-config", "--baseline", (folder_ / "none.json").string(), txt}).status, 2);
    const ToolRun run = RunTool({"check", "--no-config", "--baseline", bad, txt});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("is no baseline"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace quenta::testing
