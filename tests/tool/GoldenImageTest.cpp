// The examples drawn through the real modules with the IPA fonts, compared
// with the stored pictures in tests/golden. A change in placement, colour, gradient or
// layering moves pixels by far more than the tolerance, which only absorbs
// rounding. To accept new pictures after an intended change, run
//   QUENTA_UPDATE_GOLDEN=1 ctest --preset default -R Golden
// and look at every changed picture before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PngImage.h"
#include "RunTool.h"

namespace quenta::testing {
namespace {

constexpr int kTolerance = 8;

struct Golden {
    const char* name;
    std::vector<std::string> args;
};

std::vector<Golden> Goldens() {
    const std::string pictures = SourcePath("examples/pictures");
    const std::string showcase = SourcePath("examples/showcase.txt");
    return {
        // A canvas fitted to the text; every tag, pictures from a folder.
        {"showcase", {"-a", pictures, showcase}},
        // A background picture with see-through corners over a colour.
        {"dialogue",
         {"--background-image", SourcePath("examples/window.png"), "--background", "503020", "--position", "24,16",
          SourcePath("examples/dialogue.txt")}},
        // A canvas smaller than the text, drawn from above and left of it.
        {"clipped", {"--size", "400x200", "--position", "-40,-20", "--background", "204060", "-a", pictures, showcase}},
    };
}

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Golden& golden, std::ostream* os) { *os << golden.name; }

class GoldenImage : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenImage, MatchesTheStoredPicture) {
    const Golden& golden = GetParam();
    const std::filesystem::path actualPath = std::filesystem::path(QUENTA_ACTUAL_DIR) / (std::string(golden.name) + ".png");
    const std::string goldenPath = SourcePath(std::string("tests/golden/") + golden.name + ".png");
    std::filesystem::create_directories(actualPath.parent_path());

    std::vector<std::string> args = golden.args;
    args.insert(args.begin(), {"-o", actualPath.string(), "--gothic-font", QUENTA_GOTHIC_FONT, "--mincho-font",
                               QUENTA_MINCHO_FONT});
    const ToolRun run = RunTool(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto actual = ReadPng(actualPath.string());
    ASSERT_TRUE(actual) << "no readable PNG at " << actualPath;

    if (std::getenv("QUENTA_UPDATE_GOLDEN")) {
        std::filesystem::copy_file(actualPath, goldenPath, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "stored " << goldenPath;
    }
    const auto expected = ReadPng(goldenPath);
    ASSERT_TRUE(expected) << "no stored picture " << goldenPath << "; see the top of this file";
    EXPECT_EQ(DescribeDifference(*expected, *actual, kTolerance), "")
        << "drawn: " << actualPath << "\nstored: " << goldenPath;
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenImage, ::testing::ValuesIn(Goldens()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quenta::testing
