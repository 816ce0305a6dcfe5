// The tools agree on every message: for a table of scripts (style carried
// and reset, pictures, spacing, centring, overflow), the line boxes the
// checker is handed, the boxes behind each review picture and the boxes the
// preview shows are equal, and each review picture is the picture
// `quenta render` draws of that message starting in the carried style.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "AnyPicture.h"
#include "FolderFiles.h"
#include "MessageLayout.h"
#include "MessagePass.h"
#include "MessagePreviewer.h"
#include "PicturePlanner.h"
#include "PngImage.h"
#include "RunTool.h"
#include "ScriptChecker.h"

namespace quenta::testing {
namespace {

struct AgreementCase {
    const char* name;
    std::vector<std::string> messages;
    bool reset;
    // What each message starts in, written out by hand: `quenta render` of
    // this and the message must draw the review picture.
    std::vector<std::string> startsIn;
    const char* window;  // for the checker and the preview; "" for none
};

const AgreementCase kCases[] = {
    {"colour carried",
     {"<C255,0,0>red text left open", "the next message is red", "</C>white again"},
     false,
     {"", "<C255,0,0>", "<C255,0,0>"},
     ""},
    {"colour reset", {"<C255,0,0>red text left open", "the next message is white"}, true, {"", ""}, ""},
    {"size and spacing carried",
     {"<S32><SPW3>big, spaced", "still<R>big<SPH9>", "lines<R>apart"},
     false,
     {"", "<S32><SPW3>", "<S32><SPW3><SPH9>"},
     ""},
    {"centring carried", {"<CE280>centred", "centred too<R>both lines"}, false, {"", "<CE280>"}, ""},
    {"pictures and switches", {"<B><G1>bold", "<K>still bold</B>", "shadow"}, false, {"", "<B>", "<K>"}, ""},
    {"overflow", {"<S32>a line far too wide for the window", "two<R>lines<R>three<R>four"}, false, {"", "<S32>"},
     "120x40"},
};

// Named in gtest's output by its name, not its bytes.
void PrintTo(const AgreementCase& c, std::ostream* out) { *out << c.name; }

std::vector<script::LineRect> Shifted(std::vector<script::LineRect> rects, int64_t x, int64_t y) {
    for (script::LineRect& r : rects) {
        r.x += x;
        r.y += y;
    }
    return rects;
}

class Agreement : public ::testing::TestWithParam<AgreementCase> {};

TEST_P(Agreement, CheckerReviewAndPreviewSeeTheSameMessage) {
    const AgreementCase& c = GetParam();
    const std::string folder =
        FreshFolder(std::string("agreement-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    script::ScriptFile file;
    file.path = folder + "/scene.txt";
    for (const std::string& m : c.messages) file.bytes += m + "\n\n";
    WriteBytes(file.path, file.bytes);
    const std::string size = "400x120";

    // The checker's view: the pass's layout of each message.
    script::CheckSettings settings;
    settings.resetBetweenMessages = c.reset;
    std::vector<std::vector<script::LineRect>> checked;
    script::MessagePass pass = script::PassFor(file, settings);
    pass.Run([&](const script::PassedMessage& m) { checked.push_back(script::LineRects(m.laid)); });
    ASSERT_EQ(checked.size(), c.messages.size());

    // The boxes behind each review picture: its text laid out alone in the
    // style its plan says it starts in, which the worker draws it in.
    const script::PictureNames names("####.png");
    std::vector<script::PlannedPicture> planned;
    script::ForEachPicture(file, settings.Style(), names, "agreement",
                           [&](const script::PlannedPicture& p) { planned.push_back(p); });
    ASSERT_EQ(planned.size(), c.messages.size());

    // The preview's boxes, on a canvas of the same fixed size.
    render::Options options;
    options.size = render::CanvasSize{400, 120};
    script::WindowSettings window;
    if (*c.window) {
        window.width = 120;
        window.height = 40;
    }
    preview::MessagePreviewer previewer(options, window, 4096);
    const preview::ScriptSnapshot snapshot = previewer.ReadScript(file, c.reset);
    ASSERT_EQ(snapshot.messages.size(), c.messages.size());

    // The review pictures.
    const std::string out = folder + "/out";
    std::vector<std::string> args = {"render", "--script", file.path, "--out-dir", out, "--size", size, "-q"};
    if (c.reset) args.push_back("--reset-between-messages");
    const ToolRun run = RunTool(args);
    ASSERT_TRUE(run.status == 0 || run.status == 1) << run.err;

    for (size_t i = 0; i < c.messages.size(); ++i) {
        SCOPED_TRACE("message " + std::to_string(i + 1));
        script::AnyPicture pictures;
        script::LaidOutMessage alone;
        script::LayOutInStyle(&pictures, planned[i].styleBefore, planned[i].text, alone);
        EXPECT_EQ(script::LineRects(alone), checked[i]);

        const preview::MessagePreview shown = previewer.PreviewEntry(snapshot, static_cast<int32_t>(i + 1));
        ASSERT_TRUE(shown.error.empty()) << shown.error;
        std::vector<script::LineRect> previewed;
        for (const preview::Box& b : shown.lines) previewed.push_back({b.x, b.y, b.width, b.height});
        EXPECT_EQ(previewed, Shifted(checked[i], render::kDefaultPosition.x, render::kDefaultPosition.y));
        if (*c.window) {
            EXPECT_FALSE(shown.overflow.empty()) << "message " << i + 1 << " overflows the window";
        }

        // `quenta render` of the message, starting in the style written out.
        const std::string text = folder + "/single.txt";
        const std::string single = folder + "/single.png";
        WriteBytes(text, c.startsIn[i] + c.messages[i]);
        const ToolRun one = RunTool({"render", "--size", size, "-o", single, text});
        ASSERT_EQ(one.status, 0) << one.err;
        const auto expected = ReadPng(single);
        const auto review = ReadPng(out + "/" + names.For(static_cast<int32_t>(i + 1)));
        ASSERT_TRUE(expected && review);
        EXPECT_EQ(DescribeDifference(*expected, *review, 0), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, Agreement, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<AgreementCase>& info) {
                             std::string name = info.param.name;  // a gtest name: letters, digits and _
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace quenta::testing
