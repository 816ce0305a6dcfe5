#include <gtest/gtest.h>

#include "FakePictures.h"
#include "RendererFixture.h"
#include "core/ProcessState.h"
#include "quenta/BitmapSurface.h"
#include "quenta/FaceNames.h"
#include "render/BlendTable.h"

namespace quenta::testing {
namespace {

const std::string kGothic = "SetFace(" + Printable(kGothicFace) + ")";
const std::string kMincho = "SetFace(" + Printable(kMinchoFace) + ")";

class DrawPass : public RendererTest {
protected:
    // The calls one Draw of `text` in the default style makes, without the
    // "Scrivo2." and "Plotra." prefixes.
    std::vector<std::string> DrawCalls(const char* text, int32_t x = 0, int32_t y = 0) {
        renderer->SetText("<CR>");  // the style outlives Clear
        renderer->Clear();
        renderer->SetText(text);
        ClearCalls();
        renderer->Draw(target.get(), x, y);
        std::vector<std::string> calls;
        for (const auto& call : Calls()) calls.push_back(call.substr(call.find('.') + 1));
        return calls;
    }
    // Only the positions where the face of each run was painted.
    std::vector<std::string> Paints(const char* text, int32_t x = 0, int32_t y = 0) {
        std::vector<std::string> paints;
        for (const auto& call : DrawCalls(text, x, y)) {
            if (call.rfind("PaintText", 0) == 0) paints.push_back(call);
        }
        return paints;
    }

    BitmapPtr target{BitmapSurface::Create(640, 480, 24, true, false)};
};

TEST_F(DrawPass, RunsSitOnTheBottomEdgeOfTheirLine) {
    EXPECT_EQ(DrawCalls("<S48>A</S>B", 10, 20),
              (std::vector<std::string>{"SetSize(48)", kGothic, "SetColor(255,255,255)", "PaintText(11,21,A)",
                                        "SetSize(24)", kGothic, "SetColor(255,255,255)", "PaintText(35,45,B)"}));
}

TEST_F(DrawPass, SpacingAndCentring) {
    // Three runs of 12 with spacing 2 make a line 40 wide, centred in 100.
    EXPECT_EQ(Paints("<CE100><SPW2>ABC"),
              (std::vector<std::string>{"PaintText(31,1,A)", "PaintText(45,1,B)", "PaintText(59,1,C)"}));
    // Only the runs that carry a centring width move.
    EXPECT_EQ(Paints("A<CE100>B</CE>C"),
              (std::vector<std::string>{"PaintText(1,1,A)", "PaintText(45,1,B)", "PaintText(25,1,C)"}));
    // Centring within 0 moves a 25-pixel line left by 12, truncating toward zero.
    EXPECT_EQ(Paints("<S25><CE0>\x82\xA0"), (std::vector<std::string>{"PaintText(-11,1,\\x82\\xA0)"}));
    // The last run's spacing does not count toward the line width.
    EXPECT_EQ(Paints("<CE30><SPW6>AB"), (std::vector<std::string>{"PaintText(1,1,A)", "PaintText(19,1,B)"}));
}

TEST_F(DrawPass, LinesStackWithTheirGapBelow) {
    // Line 0 is 24 high with a gap of 8; line 1 is a break's blank; line 2 holds B.
    EXPECT_EQ(Paints("<SPH8>A<R></SPH><R>B", 0, 100),
              (std::vector<std::string>{"PaintText(1,101,A)", "PaintText(1,133, )", "PaintText(1,157,B)"}));
    // An empty last line adds nothing, and the largest spacing of a line counts once.
    EXPECT_EQ(Paints("<SPH5>A<SPH9>B</SPH></SPH>C<R>D<R>"),
              (std::vector<std::string>{"PaintText(1,1,A)", "PaintText(13,1,B)", "PaintText(25,1,C)",
                                        "PaintText(1,34,D)"}));
}

TEST_F(DrawPass, ShadowEdgeAndBoldLayers) {
    EXPECT_EQ(DrawCalls("<K><E><B><KC1,2,3><EC4,5,6>A"),
              (std::vector<std::string>{"SetSize(24)", kGothic, "SetColor(1,2,3)", "PaintText(3,3,A)",
                                        "PaintText(4,3,A)", "SetColor(4,5,6)", "PaintText(0,1,A)",
                                        "PaintText(2,1,A)", "PaintText(1,0,A)", "PaintText(1,2,A)",
                                        "PaintText(3,1,A)", "SetColor(255,255,255)", "PaintText(1,1,A)",
                                        "PaintText(2,1,A)"}));
    EXPECT_EQ(DrawCalls("<K>A"), (std::vector<std::string>{"SetSize(24)", kGothic, "SetColor(128,128,128)",
                                                           "PaintText(3,3,A)", "SetColor(255,255,255)",
                                                           "PaintText(1,1,A)"}));
}

TEST_F(DrawPass, OnlyFacesZeroAndOneAreSelected) {
    EXPECT_EQ(DrawCalls("<F2>A<F1>B"),
              (std::vector<std::string>{"SetSize(24)", "SetColor(255,255,255)", "PaintText(1,1,A)", "SetSize(24)",
                                        kMincho, "SetColor(255,255,255)", "PaintText(13,1,B)"}));
}

TEST_F(DrawPass, GradientTextIsPaintedAsCoverageAndBlended) {
    SetSetting("scrivo.coverage", 255);
    auto calls = DrawCalls("<B><C0,0,0,0,0,1>A", 5, 6);
    // One coverage paint, no colour selected for it, even when bold.
    EXPECT_EQ(calls, (std::vector<std::string>{"SetSize(24)", kGothic, "PaintCoverage(0,0,A)"}));
    // Two blends, one pixel apart: columns 6 to 18 of the first row are covered.
    target->Fill(200, 200, 200);
    renderer->Draw(target.get(), 5, 6);
    const uint8_t* row = target->GetPixelAddress(0, 7);
    EXPECT_EQ(row[3 * 5 + 2], 200);
    EXPECT_EQ(row[3 * 6 + 2], 0);   // top colour, red component
    EXPECT_EQ(row[3 * 18 + 2], 0);  // the bold copy reaches one column further
    EXPECT_EQ(row[3 * 19 + 2], 200);
    // The bottom row holds 0 + 23 * 1 / 24 = 0 in blue as well: the gradient stops short.
    EXPECT_EQ(target->GetPixelAddress(6, 7 + 23)[0], 0);
}

TEST_F(DrawPass, PicturesGoToPlotraByTheirPlanes) {
    SetSetting("picture.1", kColorOnly);
    SetSetting("picture.2", kColorAndAlpha);
    SetSetting("picture.3", kAlphaOnly);
    SetSetting("picture.4", kNoPlanes);
    SetSetting("picture.4.w", 30);
    EXPECT_EQ(DrawCalls("<S32><G1><C9,8,7><G2><G3><G4><SPW5>A", 100, 10),
              (std::vector<std::string>{"CopyRect(100,34,0,0,16,8)", "BlendRect(116,34,0,0,16,8)",
                                        "BlendColorRect(132,34,0,0,16,8,9,8,7)", "SetSize(32)", kGothic,
                                        "SetColor(9,8,7)", "PaintText(179,11,A)"}));
}

TEST_F(DrawPass, NothingToDraw) {
    EXPECT_TRUE(DrawCalls("").empty());  // a cleared renderer has one empty line
    renderer->SetText("A");
    ClearCalls();
    renderer->Draw(nullptr, 0, 0);
    EXPECT_TRUE(Calls().empty());

    // A renderer that never bound Scrivo2 draws nothing.
    auto* unready = new MessageRenderer();
    unready->parser.Parse("A");
    unready->Draw(target.get(), 0, 0);
    EXPECT_TRUE(Calls().empty());
    unready->Release();
}

TEST_F(DrawPass, FarAwayRunsDoNotWrapAround) {
    auto paints = Paints("<SPW2147483647>AB<CE2147483647>C");
    ASSERT_EQ(paints.size(), 3u);
    EXPECT_EQ(paints[0], "PaintText(1,1,A)");
    EXPECT_EQ(paints[1], "PaintText(1073741825,1,B)");
}

TEST_F(DrawPass, ARendererKeepsItsPicturesWhenAnotherEnds) {
    SetSetting("picture.5", kColorOnly);
    auto* other = new MessageRenderer();
    other->SetText("x");
    renderer->SetText("<G5>");
    other->Release();
    EXPECT_EQ(sharedPlotra, nullptr);
    ClearCalls();
    renderer->Draw(target.get(), 0, 0);
    EXPECT_EQ(CallsStartingWith("Plotra."), (std::vector<std::string>{"Plotra.CopyRect(0,0,0,0,16,8)"}));
}

TEST(DrawPassWithoutPlotra, PlainTextStillDraws) {
    ResetRecorder();
    LoadAllDoubles();
    SetSetting("plotra.startup", 0);
    SetSetting("picture.5", kColorOnly);
    auto* renderer = new MessageRenderer();
    renderer->SetText("dropped");  // the binding fails: this text is dropped
    renderer->SetText("A<C1,1,1,2,2,2>B<G5>");
    ASSERT_EQ(renderer->Parser().Lines().lines[0].runs.size(), 3u);
    EXPECT_FALSE(blendTable.IsBuilt());
    BitmapPtr target(BitmapSurface::Create(64, 64, 24, true, false));
    ClearCalls();
    renderer->Draw(target.get(), 0, 0);
    // The plain run is painted; the gradient run has no blend table and is skipped.
    EXPECT_EQ(CallsStartingWith("Scrivo2.Paint"), (std::vector<std::string>{"Scrivo2.PaintText(1,1,A)"}));
    renderer->Release();
}

}  // namespace
}  // namespace quenta::testing
