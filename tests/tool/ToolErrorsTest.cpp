// Bad input of every kind: a message on stderr that says what is wrong, a
// non-zero exit status, no crash and no picture left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RunTool.h"

namespace quenta::testing {
namespace {

class ToolErrors : public ::testing::Test {
protected:
    const std::string folder_ = std::string(QUENTA_ACTUAL_DIR) + "/tool-errors";
    const std::string out_ = folder_ + "/out.png";

    void SetUp() override {
        std::filesystem::create_directories(folder_);
        std::ofstream(folder_ + "/not-a-picture.png") << "plain text";
        std::filesystem::remove(out_);
    }
};

TEST_F(ToolErrors, EachIsExplainedAndExitsNonZero) {
    const std::string notPicture = folder_ + "/not-a-picture.png";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string message;
    } cases[] = {
        // The command line: status 2.
        {"no output", {}, "text", 2, "no output file: give -o FILE.png"},
        {"unknown long option", {"-o", out_, "--frobnicate"}, "text", 2, "unknown option '--frobnicate'"},
        {"unknown short option", {"-o", out_, "-q"}, "text", 2, "unknown option '-q'"},
        {"missing value", {"-o", out_, "--size"}, "text", 2, "--size needs a value"},
        {"bad size", {"-o", out_, "--size", "0x10"}, "text", 2, "--size: expected WIDTHxHEIGHT"},
        {"size too large", {"-o", out_, "--size", "20000x10"}, "text", 2, "got '20000x10'"},
        {"bad colour", {"-o", out_, "--background", "red"}, "text", 2, "--background: expected a colour as RRGGBB"},
        {"bad position", {"-o", out_, "--size", "9x9", "--position", "1;2"}, "text", 2, "--position: expected X,Y"},
        {"position without size", {"-o", out_, "--position", "1,2"}, "text", 2, "--position needs a canvas of known size"},
        {"bad margin", {"-o", out_, "--margin", "-1"}, "text", 2, "--margin: expected a whole number"},
        {"two inputs", {"-o", out_, "a.txt", "b.txt"}, "", 2, "one input file at most"},
        // The input: status 1.
        {"unreadable file", {"-o", out_, folder_ + "/missing.txt"}, "", 1, "cannot read '" + folder_ + "/missing.txt'"},
        {"folder as input", {"-o", out_, folder_}, "", 1, "it is a folder"},
        {"no Shift-JIS form", {"-o", out_}, "ok\nab\xF0\x9F\x98\x80", 1,
         "line 2, column 3: '\xF0\x9F\x98\x80' (U+1F600) has no Shift-JIS (code page 932) form"},
        {"after wide characters", {"-o", out_}, "\xE6\x97\xA5\xE6\x9C\xAC\xC3\xA9", 1, "line 1, column 3: '\xC3\xA9' (U+00E9)"},
        {"not UTF-8", {"-o", out_}, "abc\xFF", 1, "line 1, column 4: the input is not valid UTF-8 (byte 0xFF)"},
        {"cut UTF-8", {"-o", out_}, "abc\xE6\x97", 1, "line 1, column 4: the input is not valid UTF-8"},
        {"NUL", {"-o", out_}, std::string("one\ntw\0o", 8), 1, "line 2, column 3: the input holds a NUL character"},
        {"empty", {"-o", out_}, "", 1, "the input is empty"},
        {"only a line break", {"-o", out_}, "\n", 1, "the input is empty"},
        {"draws nothing", {"-o", out_}, "   ", 1, "the text draws nothing"},
        // Files the tool needs: status 1.
        {"missing archive", {"-o", out_, "-a", folder_ + "/nowhere"}, "text", 1, "cannot open picture archive"},
        {"archive not a ZIP", {"-o", out_, "-a", notPicture}, "text", 1, "cannot open picture archive"},
        {"background not a picture", {"-o", out_, "--background-image", notPicture}, "text", 1,
         "background picture '" + notPicture + "' is not a PNG or BMP picture"},
        {"missing background", {"-o", out_, "--background-image", folder_ + "/nowhere.png"}, "text", 1,
         "background picture"},
        {"unusable font", {"-o", out_, "--gothic-font", notPicture}, "text", 1, "--gothic-font: cannot use font file"},
        {"unwritable output", {"-o", folder_ + "/nowhere/out.png"}, "text", 1, "cannot write '" + folder_ + "/nowhere/out.png'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun run = RunTool(c.args, c.input);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err.rfind("quenta-render: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out_));
    }
}

TEST_F(ToolErrors, HelpDescribesOptionsAndMarkup) {
    const ToolRun run = RunTool({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* word : {"Usage: quenta-render", "--output", "--size", "--position", "--background-image",
                             "--archive", "--gothic-font", "--mincho-font", "--cp932", "--keep-newlines", "--version", "<SPW",
                             "<CE", "<G1>", "<<", "<error>"}) {
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
    }
}

}  // namespace
}  // namespace quenta::testing
