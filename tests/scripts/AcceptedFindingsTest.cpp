// Findings accepted where the text lives: a quenta-ignore-CHECK flag in a
// PO entry's translator comment or a CSV flags column hides that check's
// findings in that message alone, --show-accepted lists them, a flag that
// accepts nothing is a note, and the PO flags survive gettext's tools.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "RunTool.h"

namespace quenta::testing {
namespace {

namespace fs = std::filesystem;

class AcceptedFindings : public ::testing::Test {
protected:
    // One folder per test: ctest runs them at once.
    const fs::path folder_ = fs::path(QUENTA_WORK_DIR) / "accepted" / ::testing::UnitTest::GetInstance()->current_test_info()->name();

    std::string Write(const std::string& name, const std::string& bytes) {
        fs::create_directories(folder_);
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static size_t Count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
};

const char kPo[] = R"(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

# A name the game spells so: quenta-ignore-unknown-tag
#: scene.c:1
msgid "Hello"
msgstr "Hi <r> there"

#: scene.c:2
msgid "Bye"
msgstr "Bye <r>"

# quenta-ignore-empty-close
#: scene.c:3
msgid "Later"
msgstr "Later"
)";

// The accepted finding is in the first message; the second has the same
// finding, not accepted; the third's flag accepts nothing.
TEST_F(AcceptedFindings, InEachForm) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> args;
        const char* staleAt;  // where the stale flag is
    } cases[] = {
        {"scene.po", kPo, {}, ":14:3: note: message 3: 'quenta-ignore-empty-close' accepts a finding"},
        {"scene.csv",
         "id,text,flags\nhello,Hi <r> there,quenta-ignore-unknown-tag\nbye,Bye <r>,\nlater,Later,\"x, quenta-ignore-empty-close\"\n",
         {"--column", "text", "--flags-column", "flags"},
         ":4:17: note: message 3: 'quenta-ignore-empty-close' accepts a finding"},
        {"scene.tsv", "Hi <r> there\tquenta-ignore-unknown-tag\nBye <r>\t\nLater\tquenta-ignore-empty-close\n",
         {"--column", "1", "--flags-column", "2"},
         ":3:7: note: message 3: 'quenta-ignore-empty-close' accepts a finding"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, c.bytes);
        std::vector<std::string> args = {"check", "--no-config"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back(path);
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 1) << run.err;  // message 2's finding is not accepted
        EXPECT_EQ(Count(run.out, "[unknown-tag]"), 1u) << run.out;
        EXPECT_NE(run.out.find("message 2: '<r>' is no tag"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(c.staleAt), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("(accepted)"), std::string::npos) << run.out;

        args.insert(args.begin() + 1, "--show-accepted");
        const ToolRun shown = RunTool(args);
        EXPECT_EQ(Count(shown.out, "[unknown-tag]"), 2u) << shown.out;
        EXPECT_NE(shown.out.find("message 1: '<r>' is no tag"), std::string::npos) << shown.out;
        EXPECT_EQ(Count(shown.out, "(accepted)"), 1u) << shown.out;
    }
}

// Accepted alone, a message's finding leaves the exit status clean; a
// flag naming no check is a note too.
TEST_F(AcceptedFindings, AcceptedErrorsDoNotFailAndUnknownNamesAreNoted) {
    const std::string path = Write("one.po", "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                                             "# quenta-ignore-unknown-tag quenta-ignore-unknown-tags\nmsgid \"A\"\nmsgstr \"a <r>\"\n");
    const ToolRun run = RunTool({"check", "--no-config", path});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("'quenta-ignore-unknown-tags' names no check"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("[unknown-tag]"), std::string::npos) << run.out;
}

#if defined(QUENTA_MSGMERGE) && defined(QUENTA_MSGCAT)
// Translators' catalogues pass through msgmerge (a new template) and
// msgcat (joined catalogues): the flags must come out the other side.
TEST_F(AcceptedFindings, PoFlagsSurviveMsgmergeAndMsgcat) {
    const std::string po = Write("merge.po", kPo);
    const std::string pot = Write("merge.pot", R"(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

#: scene.c:10
msgid "Hello"
msgstr ""

#: scene.c:20
msgid "Bye"
msgstr ""

#: scene.c:30
msgid "Later"
msgstr ""
)");
    const std::string merged = (folder_ / "merged.po").string();
    const std::string joined = (folder_ / "joined.po").string();
    ASSERT_EQ(std::system((std::string(QUENTA_MSGMERGE) + " -q -o '" + merged + "' '" + po + "' '" + pot + "'").c_str()), 0);
    ASSERT_EQ(std::system((std::string(QUENTA_MSGCAT) + " -o '" + joined + "' '" + merged + "'").c_str()), 0);
    for (const std::string& path : {merged, joined}) {
        SCOPED_TRACE(path);
        std::ifstream in(path);
        std::stringstream bytes;
        bytes << in.rdbuf();
        EXPECT_NE(bytes.str().find("scene.c:10"), std::string::npos) << "not merged: " << bytes.str();
        const ToolRun run = RunTool({"check", "--no-config", path});
        EXPECT_EQ(Count(run.out, "[unknown-tag]"), 1u) << run.out;
        EXPECT_NE(run.out.find("message 2: '<r>' is no tag"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("'quenta-ignore-empty-close' accepts a finding"), std::string::npos) << run.out;
    }
}
#endif

}  // namespace
}  // namespace quenta::testing
