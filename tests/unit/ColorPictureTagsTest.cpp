#include <gtest/gtest.h>

#include "FakePictures.h"
#include "RendererFixture.h"

namespace quenta::testing {
namespace {

using ColorTags = RendererTest;

TEST_F(ColorTags, PlainColourAndGradient) {
    Parse("<C255,0,0>A</C>B<C255,255,255,0,0,255>C<C300,0,0>D");
    EXPECT_EQ(Texts(), "A|B|C|D");
    EXPECT_EQ(Run(0, 0).style.color, (RgbColor{255, 0, 0}));
    EXPECT_EQ(Run(0, 0).style.gradientColor, (RgbColor{255, 0, 0}));
    EXPECT_EQ(Run(0, 1).style.color, (RgbColor{255, 255, 255}));
    EXPECT_EQ(Run(0, 2).style.color, (RgbColor{255, 255, 255}));
    EXPECT_EQ(Run(0, 2).style.gradientColor, (RgbColor{0, 0, 255}));
    EXPECT_EQ(Run(0, 3).style.color, (RgbColor{300, 0, 0}));  // stored as written
}

TEST_F(ColorTags, MalformedTagsChangeNothing) {
    const std::string error = kErrorText;
    struct Case {
        const char* text;
        std::string runs;
    };
    for (const Case& c : {Case{"<C255,0>", error + "|>"}, Case{"<C255,0,0,>", error + "|>"},
                          Case{"<C255,0,0,1,2>", error + "|>"}, Case{"<C255,0,0", error},
                          Case{"<EC1,2,3,4>", error + "|,|4|>"}, Case{"<KC1,2>", error + "|>"},
                          Case{"<C-1,0,0>", error + "|-|1|,|0|,|0|>"}}) {
        EXPECT_EQ(Parse(c.text), c.runs) << c.text;
        EXPECT_TRUE(renderer->Parser().Stacks().color.empty()) << c.text;
        EXPECT_TRUE(renderer->Parser().Stacks().edgeColor.empty()) << c.text;
        EXPECT_TRUE(renderer->Parser().Stacks().shadowColor.empty()) << c.text;
        EXPECT_EQ(renderer->Parser().Style().color, (RgbColor{255, 255, 255})) << c.text;
    }
}

TEST_F(ColorTags, EdgeAndShadowColoursStack) {
    Parse("<EC1,2,3><EC4,5,6>A</EC>B</EC>C</EC>D<KC9,9,9>E</KC>F");
    EXPECT_EQ(Run(0, 0).style.edgeColor, (RgbColor{4, 5, 6}));
    EXPECT_EQ(Run(0, 1).style.edgeColor, (RgbColor{1, 2, 3}));
    EXPECT_EQ(Run(0, 2).style.edgeColor, (RgbColor{0, 0, 0}));
    EXPECT_EQ(Run(0, 3).style.edgeColor, (RgbColor{0, 0, 0}));
    EXPECT_EQ(Run(0, 4).style.shadowColor, (RgbColor{9, 9, 9}));
    EXPECT_EQ(Run(0, 5).style.shadowColor, (RgbColor{128, 128, 128}));
}

TEST_F(ColorTags, PictureRunTakesThePictureSize) {
    SetSetting("picture.7", kColorAndAlpha);
    SetSetting("picture.7.w", 40);
    SetSetting("picture.7.h", 30);
    Parse("<S30>A<G7>B<G8>");
    ASSERT_EQ(Texts(), std::string("A||B|") + kErrorText);  // 8 is not in the archive
    const TextRun& picture = Run(0, 1);
    EXPECT_EQ(picture.pictureNumber, 7);
    EXPECT_EQ(picture.text.Length(), 0);
    EXPECT_EQ(picture.width, 40);
    EXPECT_EQ(picture.height, 30);
    EXPECT_EQ(picture.style.size, 30);
    EXPECT_EQ(Parse("<G7"), kErrorText);
    EXPECT_EQ(Parse("<G>"), std::string(kErrorText) + "|>");
}

}  // namespace
}  // namespace quenta::testing
