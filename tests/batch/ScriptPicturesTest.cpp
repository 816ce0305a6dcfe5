// A small script in each form drawn to a folder: every picture is the one
// `quenta render` draws from the same text in the style it starts in, and
// index.html shows each message with its place, its source and the
// checker's findings.
#include <gtest/gtest.h>

#include <filesystem>

#include "FolderFiles.h"
#include "PngImage.h"
#include "RunTool.h"
#include "ScriptForms.h"

namespace quenta::testing {
namespace {

namespace fs = std::filesystem;
using script::ScriptForm;

const std::vector<std::string> kMessages = {
    "Hello <C255,0,0>world</C>",
    "<S32>big</S> and small",
    "\xE7\xB8\x81\xE5\x8F\x96\xE3\x82\x8A<E>edge</E>",  // 縁取り
    "<C0,255,0>left open",                             // a warning
    "a <Q>tag that is none",                           // an error
};
// The style each message starts in, as the one before it leaves it: the
// pictures carry it on as the checker and a host do.
const std::vector<std::string> kStartsIn = {"", "", "", "", "<C0,255,0>"};

std::string PictureName(size_t number) {
    std::string digits = std::to_string(number);
    return std::string(4 - std::min<size_t>(4, digits.size()), '0') + digits + ".png";
}

class ScriptPictures : public ::testing::TestWithParam<ScriptForm> {};

TEST_P(ScriptPictures, EqualSingleRendersAndThePageShowsEachMessage) {
    const ScriptForm form = GetParam();
    const std::string folder = FreshFolder(std::string("forms-") + FormName(form));
    const WrittenScript written = WriteScript(form, kMessages);
    const std::string script = folder + "/" + written.file.path;
    WriteBytes(script, written.file.bytes);
    const std::string out = folder + "/out";

    std::vector<std::string> args = {"render", "--script", script, "--out-dir", out, "-j", "2"};
    if (form == ScriptForm::kCsv || form == ScriptForm::kTsv) args.insert(args.end(), {"--column", written.file.column});
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, 1) << run.err;  // the unknown tag is an error
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << "no progress line off a terminal: " << run.err;
    EXPECT_NE(run.err.find("5 pictures drawn, 0 up to date, 0 not drawn; 1 error, 1 warning, 0 notes"), std::string::npos)
        << run.err;

    for (size_t i = 0; i < kMessages.size(); ++i) {
        const std::string single = folder + "/single.png";
        const std::string text = folder + "/single.txt";
        WriteBytes(text, kStartsIn[i] + kMessages[i]);
        const ToolRun one = RunTool({"render", "-o", single, text});
        ASSERT_EQ(one.status, 0) << one.err;
        const std::string name = PictureName(i + 1);
        EXPECT_EQ(ReadBytes(out + "/" + name), ReadBytes(single)) << "message " << i + 1;
    }

    const std::vector<ShownMessage> shown = ReadReviewPage(out + "/index.html");
    ASSERT_EQ(shown.size(), kMessages.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE("message " + std::to_string(i + 1));
        const auto [line, column] = written.starts[i];
        const std::string name = PictureName(i + 1);
        EXPECT_EQ(shown[i].number, static_cast<int>(i + 1));
        EXPECT_EQ(shown[i].picture, name);
        EXPECT_TRUE(fs::exists(out + "/" + shown[i].picture));
        EXPECT_EQ(shown[i].place, script + ":" + std::to_string(line) + ":" + std::to_string(column));
        EXPECT_EQ(shown[i].source.rfind(kMessages[i], 0), 0u) << shown[i].source;
    }
    for (size_t i : {0u, 1u, 2u}) EXPECT_TRUE(shown[i].findings.empty()) << "message " << i + 1;
    ASSERT_EQ(shown[3].findings.size(), 1u);
    EXPECT_EQ(shown[3].findings[0].level, "warning");
    EXPECT_EQ(shown[3].findings[0].check, "unclosed-style");
    EXPECT_EQ(shown[3].findings[0].place, std::to_string(written.starts[3].first) + ":" + std::to_string(written.starts[3].second));
    ASSERT_EQ(shown[4].findings.size(), 1u);
    EXPECT_EQ(shown[4].findings[0].level, "error");
    EXPECT_EQ(shown[4].findings[0].check, "unknown-tag");
    // "a <Q": the finding is at the tag, two characters in.
    EXPECT_EQ(shown[4].findings[0].place, std::to_string(written.starts[4].first) + ":" + std::to_string(written.starts[4].second + 2));
    EXPECT_NE(shown[4].findings[0].text.find("'<Q>' is no tag"), std::string::npos) << shown[4].findings[0].text;
}

INSTANTIATE_TEST_SUITE_P(EveryForm, ScriptPictures,
                         ::testing::Values(ScriptForm::kPlain, ScriptForm::kCsv, ScriptForm::kTsv, ScriptForm::kPo),
                         [](const auto& info) { return std::string(FormName(info.param)); });

// Many short messages dealt out to workers in turn: however many workers
// draw them, every file of the folder holds the same bytes.
TEST(ScriptPictures, OneWorkerAndTwoGiveTheSameBytes) {
    const std::string folder = FreshFolder("jobs");
    std::string script;
    for (int i = 1; i <= 24; ++i) {
        script += "<S" + std::to_string(14 + i % 12) + ">message " + std::to_string(i) + "</S>";
        if (i % 3 == 0) script += "\n<C255,255,0>second line</C>";
        if (i % 5 == 0) script += "<E>edged</E>";
        script += "\n\n";
    }
    WriteBytes(folder + "/script.txt", script);
    const ToolRun one = RunTool({"render", "--script", "script.txt", "--out-dir", "one", "-j", "1", "--window", "200x40"}, "", folder);
    const ToolRun two = RunTool({"render", "--script", "script.txt", "--out-dir", "two", "-j", "2", "--window", "200x40"}, "", folder);
    ASSERT_EQ(one.status, 1) << one.err;  // some lines overflow the window
    ASSERT_EQ(two.status, 1) << two.err;
    const auto first = FolderContents(folder + "/one");
    const auto second = FolderContents(folder + "/two");
    EXPECT_EQ(first.size(), 24u + 2u);  // the pictures, index.html and the manifest
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first) {
        ASSERT_TRUE(second.count(name)) << name;
        EXPECT_TRUE(second.at(name) == bytes) << name << " differs";
    }
}

// A message that draws nothing cannot have a fitted canvas: it is named
// with its reason, the others are drawn, and the run fails.
TEST(ScriptPictures, AMessageThatCannotBeDrawnIsNamedWithItsReason) {
    const std::string folder = FreshFolder("undrawable");
    WriteBytes(folder + "/script.txt", "first\n\n<S12></S>\n\nthird\n");
    const ToolRun run = RunTool({"render", "--script", "script.txt", "--out-dir", "out"}, "", folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("script.txt:3:1: error: message 2 could not be drawn: the text draws nothing"), std::string::npos)
        << run.err;
    const auto shown = ReadReviewPage(folder + "/out/index.html");
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].picture, "0001.png");
    EXPECT_EQ(shown[1].picture, "");
    EXPECT_NE(shown[1].failure.find("the text draws nothing"), std::string::npos) << shown[1].failure;
    EXPECT_EQ(shown[2].picture, "0003.png");
    EXPECT_FALSE(fs::exists(folder + "/out/0002.png"));
}

// A script with no message yet (a translation just begun) still gets its
// page, which says so.
TEST(ScriptPictures, AScriptWithNoMessageGetsAnEmptyPage) {
    const std::string folder = FreshFolder("no-messages");
    WriteBytes(folder + "/script.txt", "");
    const ToolRun run = RunTool({"render", "--script", "script.txt", "--out-dir", "out"}, "", folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(ReadReviewPage(folder + "/out/index.html").empty());
    EXPECT_NE(ReadBytes(folder + "/out/index.html").find("0 messages, 0 pictures"), std::string::npos);
}

// A font the workers cannot use fails every message; the reason is said a
// few times, not once for each.
TEST(ScriptPictures, AReasonEveryMessageSharesIsSaidAFewTimes) {
    const std::string folder = FreshFolder("bad-font");
    std::string script;
    for (int i = 1; i <= 8; ++i) script += "message " + std::to_string(i) + "\n\n";
    WriteBytes(folder + "/script.txt", script);
    WriteBytes(folder + "/font.ttf", "no font");
    const ToolRun run = RunTool({"render", "--script", "script.txt", "--out-dir", "out", "--gothic-font", "font.ttf"}, "", folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("message 3 could not be drawn: --gothic-font: cannot use font file 'font.ttf'"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("message 4 could not be drawn"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("quenta: 5 more messages could not be drawn: --gothic-font"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("0 pictures drawn, 0 up to date, 8 not drawn"), std::string::npos) << run.err;
}

struct BadCommand {
    const char* name;
    std::vector<std::string> args;
    const char* says;
};

void PrintTo(const BadCommand& command, std::ostream* out) { *out << command.name; }

class ScriptCommandLine : public ::testing::TestWithParam<BadCommand> {};

TEST_P(ScriptCommandLine, IsRefusedWithStatusTwo) {
    const std::string folder = FreshFolder(std::string("usage-") + GetParam().name);
    WriteBytes(folder + "/script.txt", "text\n");
    std::vector<std::string> args = {"render"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const ToolRun run = RunTool(args, "", folder);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder + "/out/index.html"));
}

INSTANTIATE_TEST_SUITE_P(
    Bad, ScriptCommandLine,
    ::testing::Values(BadCommand{"NoFolder", {"--script", "script.txt"}, "--script needs --out-dir"},
                      BadCommand{"FolderAlone", {"--out-dir", "out", "-o", "x.png"}, "--out-dir goes with --script"},
                      BadCommand{"AlsoOutput", {"--script", "script.txt", "--out-dir", "out", "-o", "x.png"}, "give no --output"},
                      BadCommand{"NoScript", {"--script", "absent.txt", "--out-dir", "out"}, "cannot read 'absent.txt'"},
                      BadCommand{"NamesWithoutNumber", {"--script", "script.txt", "--out-dir", "out", "--names", "x.png"}, "needs a run of '#'"},
                      BadCommand{"NoJobs", {"--script", "script.txt", "--out-dir", "out", "-j", "0"}, "-j"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quenta::testing
