// The README's command on the example scene: five pictures in the message
// window, and the third message's overflow both found and drawn in red.
#include <gtest/gtest.h>

#include "FolderFiles.h"
#include "PngImage.h"
#include "RunTool.h"

namespace quenta::testing {
namespace {

// The window of the README's command: its text area at (24, 16), 592x138.
constexpr int kLeft = 24, kTop = 16, kRight = 24 + 592, kBottom = 16 + 138;

// Pixels outside the window in the overflow's red: far more red than green
// or blue.
int RedPixelsOutside(const RgbImage& image) {
    int count = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (x >= kLeft && x < kRight && y >= kTop && y < kBottom) continue;
            const uint8_t* p = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
            count += p[0] > 180 && p[1] < 110 && p[2] < 110;
        }
    }
    return count;
}

TEST(ExampleScene, ShowsTheOverflowOfTheThirdMessage) {
    const std::string out = FreshFolder("example-scene");
    const ToolRun run = RunTool({"render", "--script", "examples/scene.txt", "--out-dir", out, "--window", "592x138",
                                 "--background-image", "examples/window.png", "--background", "503020", "--position",
                                 "24,16", "-a", "examples/pictures"},
                                "", QUENTA_SOURCE_DIR);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("5 pictures drawn, 0 up to date, 0 not drawn; 1 error, 1 warning"), std::string::npos) << run.err;
    const auto shown = ReadReviewPage(out + "/index.html");
    ASSERT_EQ(shown.size(), 5u);
    ASSERT_EQ(shown[2].findings.size(), 1u);
    EXPECT_EQ(shown[2].findings[0].check, "line-too-wide");
    for (const ShownMessage& message : shown) {
        const auto picture = ReadPng(out + "/" + message.picture);
        ASSERT_TRUE(picture) << message.picture;
        EXPECT_EQ(picture->width, 640);
        EXPECT_EQ(picture->height, 170);
        // Only the overflowing message has red outside the window (the red
        // words of message 2 lie inside it).
        if (message.number == 3) {
            EXPECT_GT(RedPixelsOutside(*picture), 20) << message.picture;
        } else {
            EXPECT_EQ(RedPixelsOutside(*picture), 0) << message.picture;
        }
    }
}

}  // namespace
}  // namespace quenta::testing
