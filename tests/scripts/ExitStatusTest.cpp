// The quenta program as a user and a CI job run it: exit statuses, the
// finding lines on standard output, and render's new ways in and out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RunTool.h"

namespace quenta::testing {
namespace {

class QuentaProgram : public ::testing::Test {
protected:
    const std::string folder_ = std::string(QUENTA_WORK_DIR) + "/program";

    std::string Write(const std::string& name, const std::string& bytes) {
        std::filesystem::create_directories(folder_);
        const std::string path = folder_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

// A script that cannot be read, or a setting that does not fit it, exits 2
// and says what is wrong with which file, without the hint for a mistyped
// command line; a bad option keeps the hint.
TEST_F(QuentaProgram, ExitStatusOfEachKindOfMistake) {
    const std::string clean = Write("kinds-clean.txt", "Hello\n");
    const std::string finding = Write("kinds-finding.txt", "a<S 32>b\n");
    const std::string csv = Write("kinds.csv", "id,text\n1,Hello\n");
    const std::string binary = Write("kinds-binary.po", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\"\"", 18));
    const std::string outDir = folder_ + "/kinds-out";
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* said;  // on standard error, or standard output for findings
        bool hint;         // "Try 'quenta --help'" follows
    } cases[] = {
        {"clean", {"check", clean}, 0, "", false},
        {"findings", {"check", finding}, 1, "[malformed-tag]", false},
        {"bad option", {"check", "--frobnicate", clean}, 2, "frobnicate", true},
        {"unreadable file", {"check", folder_}, 2, "it is a folder", false},
        {"missing file", {"wrap", "--width", "100", folder_ + "/none.txt"}, 2, "none.txt", false},
        {"not of its form", {"check", binary}, 2, "", false},
        {"wrong column name", {"check", "--column", "txet", csv}, 2, "txet", false},
        {"render: missing script", {"render", "--script", folder_ + "/none.txt", "--out-dir", outDir}, 2, "none.txt", false},
        {"render: bad names", {"render", "--script", clean, "--out-dir", outDir, "--names", "x.png"}, 2, "x.png", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        const std::string& said = c.status == 1 ? run.out : run.err;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_EQ(run.err.find("Try 'quenta --help'") != std::string::npos, c.hint) << run.err;
    }
}

TEST_F(QuentaProgram, CheckExitStatuses) {
    const std::string clean = Write("clean.txt", "Hello<R>world\n");
    const std::string warning = Write("warning.txt", "ab</C>\n");
    const std::string error = Write("error.txt", "a<C255, 0, 0>b\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* out;  // a piece of standard output, or of standard error for status 2
    } cases[] = {
        {"nothing found", {"check", clean}, 0, ""},
        {"a warning", {"check", warning}, 0, "warning.txt:1:3: warning: message 1: '</C>' closes nothing"},
        {"a warning as an error", {"check", "-W", warning}, 1, ": error: "},
        {"an error", {"check", error}, 1, "error.txt:1:2: error: message 1: malformed tag '<C255,'"},
        {"silenced", {"check", "--silence", "malformed-tag", error}, 0, ""},
        {"overflow", {"check", "--window", "20x100", clean}, 1, "[line-too-wide]"},
        {"no such check", {"check", "--only", "typo", clean}, 2, "no check is named 'typo'"},
        {"no such file", {"check", folder_ + "/missing.txt"}, 2, "cannot read"},
        {"bad window", {"check", "--window", "wide", clean}, 2, "--window"},
        {"unknown option", {"check", "--frobnicate", clean}, 2, "frobnicate"},
        {"no subcommand", {}, 2, "subcommand"},
        {"wrap without a width", {"wrap", clean}, 2, "--width"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        const std::string& said = c.status == 2 ? run.err : run.out;
        EXPECT_NE(said.find(c.out), std::string::npos) << said;
        if (c.status != 2 && std::string(c.out).empty()) {
            EXPECT_EQ(run.out, "");
        }
    }
}

TEST_F(QuentaProgram, RenderWritesToStandardOutputAndReadsUtf16) {
    const ToolRun png = RunTool({"render", "-o", "-"}, "Hi");
    EXPECT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out.rfind("\x89PNG\r\n\x1A\n", 0), 0u);

    // "Hi" in UTF-16 draws what "Hi" in UTF-8 draws.
    const ToolRun utf16 = RunTool({"render", "-o", "-"}, std::string("\xFF\xFEH\0i\0", 6));
    EXPECT_EQ(utf16.status, 0) << utf16.err;
    EXPECT_EQ(utf16.out, png.out);

    const ToolRun version = RunTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find('.'), std::string::npos);
    const ToolRun renderVersion = RunTool({"render", "--version"});
    EXPECT_EQ(renderVersion.status, 0);
    EXPECT_EQ(renderVersion.out, version.out);
}

TEST_F(QuentaProgram, RenderReportsFindingsAndCanFailOnThem) {
    const ToolRun told = RunTool({"render", "-o", "-"}, "ok\na<S 3>b");
    EXPECT_EQ(told.status, 0);
    EXPECT_NE(told.err.find("-:2:2: error: message 1: malformed tag '<S'"), std::string::npos) << told.err;
    EXPECT_EQ(told.out.rfind("\x89PNG", 0), 0u);

    const ToolRun failed = RunTool({"render", "--fail-on-findings", "-o", "-"}, "a<S 3>b");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
}

}  // namespace
}  // namespace quenta::testing
