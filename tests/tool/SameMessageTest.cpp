// One message handed to the tool in different ways must give the very same
// picture: pictures from a ZIP or a folder, a file or standard input,
// Shift-JIS or UTF-8, line breaks of either kind or written as <R>.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CodePageConversion.h"
#include "FileBytes.h"
#include "PngImage.h"
#include "RunTool.h"

namespace quenta::testing {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string ToShiftJis(const std::string& utf8) {
    text::Conversion converted = text::Utf8ToCp932(utf8);
    EXPECT_EQ(converted.outcome, text::Conversion::Outcome::kConverted);
    return converted.text;
}

class SameMessage : public ::testing::Test {
protected:
    const std::string folder_ = std::string(QUENTA_ACTUAL_DIR) + "/same-message";
    const std::string pictures_ = SourcePath("examples/pictures");
    const std::string showcasePath_ = SourcePath("examples/showcase.txt");
    const std::string showcase_ = ReadBytes(showcasePath_);

    void SetUp() override { std::filesystem::create_directories(folder_); }

    RgbImage Render(const std::string& name, std::vector<std::string> args, const std::string& input = "") {
        const std::string out = folder_ + "/" + name + ".png";
        args.insert(args.begin(), {"-o", out});
        const ToolRun run = RunTool(args, input);
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        return ReadPng(out).value_or(RgbImage{});
    }
};

TEST_F(SameMessage, EveryWayOfHandingItInGivesThePictureOfTheFile) {
    const RgbImage reference = Render("reference", {"-a", pictures_, showcasePath_});
    ASSERT_GT(reference.width, 0);
    const std::string oneLine = ReplaceAll(showcase_.substr(0, showcase_.size() - 1), "\n", "<R>");
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string input;
    } ways[] = {
        {"zip", {"-a", QUENTA_PICTURES_ZIP, showcasePath_}, ""},
        {"stdin", {"-a", pictures_}, showcase_},
        {"dash", {"-a", pictures_, "-"}, showcase_},
        {"crlf", {"-a", pictures_}, ReplaceAll(showcase_, "\n", "\r\n")},
        {"tags", {"-a", pictures_}, oneLine},
        {"bom", {"-a", pictures_}, "\xEF\xBB\xBF" + showcase_},
        {"cp932", {"--cp932", "-a", pictures_}, ToShiftJis(showcase_)},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        EXPECT_EQ(DescribeDifference(reference, Render(way.name, way.args, way.input), 0), "");
    }
}

TEST_F(SameMessage, KeptNewlinesAreCharactersNotBreaks) {
    // Drawn with the fonts named, not what fontconfig picks, and measured
    // against pictures of the same text written otherwise, not against a
    // font's own margins.
    const std::vector<std::string> fonts = {"--gothic-font", QUENTA_GOTHIC_FONT, "--mincho-font", QUENTA_MINCHO_FONT};
    const RgbImage broken = Render("broken", fonts, "first\nsecond\n");
    const RgbImage tagged = Render("tagged", fonts, "first<R>second");
    std::vector<std::string> keep = fonts;
    keep.push_back("--keep-newlines");
    const RgbImage kept = Render("kept", keep, "first\nsecond\n");
    const RgbImage oneLine = Render("one-line", fonts, "firstsecond");
    ASSERT_GT(broken.width, 0);
    // A newline read as a break draws what the break tag draws.
    EXPECT_EQ(DescribeDifference(broken, tagged, 0), "");
    // Kept, it is a character on the one line: as tall as the words on one
    // line, wider than they are, and shorter than the two lines.
    EXPECT_EQ(kept.height, oneLine.height);
    EXPECT_GT(kept.width, oneLine.width);
    EXPECT_LT(kept.height, broken.height);
}

}  // namespace
}  // namespace quenta::testing
