#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "quenta/BitmapSurface.h"
#include "RecordingPlotra.h"
#include "Recorder.h"
#include "render/BlendTable.h"
#include "render/Blending.h"
#include "render/GlyphBuffer.h"

namespace quenta::core {
namespace {

using testing::Calls;

TEST(ClipRect, ClipsAgainstTargetAndSource) {
    // Target 100 x 50, source 40 x 30.
    BitmapPtr target(BitmapSurface::Create(100, 50, 24, true, false));
    BitmapPtr source(BitmapSurface::Create(40, 30, 24, true, false));
    struct Rect {
        int32_t dx, dy, sx, sy, w, h;
    };
    struct Case {
        Rect in;
        bool visible;
        Rect out;  // compared only when visible
    };
    for (const Case& c : {
             Case{{10, 10, 0, 0, 20, 10}, true, {10, 10, 0, 0, 20, 10}},       // inside
             Case{{-5, 0, 0, 0, 20, 10}, true, {0, 0, 5, 0, 15, 10}},          // off the target's left
             Case{{0, -7, 0, 0, 20, 10}, true, {0, 0, 0, 7, 20, 3}},           // off its top
             Case{{90, 45, 0, 0, 20, 10}, true, {90, 45, 0, 0, 10, 5}},        // its right and bottom
             Case{{10, 10, -4, -2, 20, 10}, true, {14, 12, 0, 0, 16, 8}},      // off the source's corner
             Case{{0, 0, 30, 25, 20, 10}, true, {0, 0, 30, 25, 10, 5}},        // past the source's edges
             Case{{70, 0, 25, 0, 40, 5}, true, {70, 0, 25, 0, 15, 5}},         // the nearer edge wins
             Case{{100, 0, 0, 0, 20, 10}, false, {}},                          // at the target's width
             Case{{-20, 0, 0, 0, 20, 10}, false, {}},
             Case{{0, 50, 0, 0, 20, 10}, false, {}},
             Case{{0, 0, 40, 0, 20, 10}, false, {}},                           // past the source
             Case{{0, 0, 0, 0, 0, 10}, false, {}},
             Case{{0, 0, 0, 0, 10, 0}, false, {}},
             Case{{INT32_MIN, 0, INT32_MAX, 0, INT32_MAX, 10}, false, {}},     // no wrap-around
             Case{{INT32_MAX, INT32_MAX, 0, 0, INT32_MAX, INT32_MAX}, false, {}},
         }) {
        Rect r = c.in;
        const bool visible = ClipRect(target.get(), r.dx, r.dy, source.get(), r.sx, r.sy, r.w, r.h);
        EXPECT_EQ(visible, c.visible) << c.in.dx << "," << c.in.dy << " " << c.in.sx << "," << c.in.sy;
        if (visible && c.visible) {
            EXPECT_EQ(std::memcmp(&r, &c.out, sizeof r), 0)
                << "got " << r.dx << "," << r.dy << " " << r.sx << "," << r.sy << " " << r.w << "x" << r.h;
        }
    }
}

class PictureBlending : public ::testing::Test {
protected:
    void SetUp() override { ClearCalls(); }

    testing::RecordingPlotra plotra;
    BitmapPtr target{BitmapSurface::Create(100, 50, 24, true, false)};
    BitmapPtr picture{BitmapSurface::Create(20, 10, 24, true, true)};
};

TEST_F(PictureBlending, HandsClippedRectanglesToPlotra) {
    CopyClipped(&plotra, target.get(), -5, 45, picture.get(), 0, 0, 20, 10);
    BlendClipped(&plotra, target.get(), 3, 4, picture.get(), 0, 0, 20, 10);
    BlendColorClipped(&plotra, target.get(), 90, 0, picture.get(), 0, 0, 20, 10, 1, 2, 3);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Plotra.CopyRect(0,45,5,0,15,5)",
                                                 "Plotra.BlendRect(3,4,0,0,20,10)",
                                                 "Plotra.BlendColorRect(90,0,0,0,10,10,1,2,3)"}));
}

TEST_F(PictureBlending, CallsNothingForInvisibleRectanglesOrWithoutPlotra) {
    CopyClipped(&plotra, target.get(), 100, 0, picture.get(), 0, 0, 20, 10);
    BlendClipped(&plotra, target.get(), 0, -10, picture.get(), 0, 0, 20, 10);
    BlendColorClipped(&plotra, target.get(), 0, 0, picture.get(), 0, 0, 0, 10, 1, 2, 3);
    CopyClipped(nullptr, target.get(), 0, 0, picture.get(), 0, 0, 20, 10);
    EXPECT_TRUE(Calls().empty());
}

class GradientBlending : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(table.Build());
        ASSERT_TRUE(coverage.Create(256, 256, true));
    }

    void Cover(int32_t w, int32_t h, uint8_t value) {
        for (int32_t y = 0; y < h; ++y) std::memset(coverage.GetAlphaAddress(0, y), value, static_cast<size_t>(w));
    }
    static std::array<uint8_t, 3> Bgr(Surface* s, int32_t x, int32_t y) {
        const uint8_t* p = s->GetPixelAddress(x, y);
        return {p[0], p[1], p[2]};
    }

    BlendTable table;
    GlyphBuffer coverage;
};

TEST_F(GradientBlending, RowColoursRunFromTopTowardBottom) {
    BitmapPtr target(BitmapSurface::Create(8, 24, 24, true, false));
    Cover(8, 24, 255);
    GradientBlendClipped(table.rows, target.get(), 0, 0, &coverage, 0, 0, 8, 24, 255, 255, 255, 0, 0, 0);
    EXPECT_EQ(Bgr(target.get(), 0, 0), (std::array<uint8_t, 3>{255, 255, 255}));
    EXPECT_EQ(Bgr(target.get(), 7, 12), (std::array<uint8_t, 3>{128, 128, 128}));  // 255 - 12*255/24
    EXPECT_EQ(Bgr(target.get(), 3, 23), (std::array<uint8_t, 3>{11, 11, 11}));     // 255 + 23*-255/24
}

TEST_F(GradientBlending, ComponentsBlendSeparatelyInBlueGreenRedOrder) {
    BitmapPtr target(BitmapSurface::Create(4, 2, 24, true, false));
    Cover(4, 2, 255);
    GradientBlendClipped(table.rows, target.get(), 0, 0, &coverage, 0, 0, 4, 2, 10, 20, 30, 10, 20, 30);
    EXPECT_EQ(Bgr(target.get(), 0, 0), (std::array<uint8_t, 3>{30, 20, 10}));
    EXPECT_EQ(Bgr(target.get(), 3, 1), (std::array<uint8_t, 3>{30, 20, 10}));
}

TEST_F(GradientBlending, CoverageWeighsColourAgainstTheTarget) {
    struct Case {
        uint8_t coverage;
        uint8_t before;
        int32_t colour;
        uint8_t after;
    };
    for (const Case& c : {Case{0, 77, 255, 77}, Case{255, 77, 200, 200}, Case{128, 0, 255, 128},
                          Case{128, 255, 0, 127}, Case{64, 100, 200, 124}}) {
        BitmapPtr target(BitmapSurface::Create(2, 1, 24, true, false));
        target->Fill(c.before, c.before, c.before);
        Cover(2, 1, c.coverage);
        GradientBlendClipped(table.rows, target.get(), 0, 0, &coverage, 0, 0, 2, 1, c.colour, c.colour, c.colour, c.colour,
                             c.colour, c.colour);
        EXPECT_EQ(Bgr(target.get(), 1, 0)[0], c.after) << int(c.coverage) << " of " << c.colour << " over " << int(c.before);
    }
}

TEST_F(GradientBlending, ClippedTopRowsStartWithTheTopColour) {
    BitmapPtr target(BitmapSurface::Create(4, 10, 24, true, false));
    Cover(4, 24, 255);
    // 24 rows placed at y = -14: ten rows remain, spanning the whole gradient.
    GradientBlendClipped(table.rows, target.get(), 0, -14, &coverage, 0, 0, 4, 24, 0, 0, 0, 100, 100, 100);
    EXPECT_EQ(Bgr(target.get(), 0, 0)[0], 0);
    EXPECT_EQ(Bgr(target.get(), 0, 9)[0], 90);  // 9 * 100 / 10
}

TEST_F(GradientBlending, ComponentsWrapToTheirLowByte) {
    BitmapPtr target(BitmapSurface::Create(1, 2, 24, true, false));
    Cover(1, 2, 255);
    GradientBlendClipped(table.rows, target.get(), 0, 0, &coverage, 0, 0, 1, 2, 300, -1, 256, 300, -1, 256);
    EXPECT_EQ(Bgr(target.get(), 0, 0), (std::array<uint8_t, 3>{0, 255, 44}));
}

TEST_F(GradientBlending, StaysInsideTheGlyphBufferAndTheTarget) {
    // A run 300 pixels wide: only the buffer's 256 columns are drawn.
    BitmapPtr target(BitmapSurface::Create(320, 4, 24, true, false));
    Cover(256, 4, 255);
    GradientBlendClipped(table.rows, target.get(), 0, 0, &coverage, 0, 0, 300, 4, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(Bgr(target.get(), 255, 0)[0], 9);
    EXPECT_EQ(Bgr(target.get(), 256, 0)[0], 0);
    // Partly off every edge of a small target.
    BitmapPtr small(BitmapSurface::Create(5, 5, 24, true, false));
    Cover(20, 20, 255);
    GradientBlendClipped(table.rows, small.get(), -3, -3, &coverage, 0, 0, 20, 20, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(Bgr(small.get(), 4, 4)[0], 9);
}

TEST_F(GradientBlending, ThirtyTwoBitTargetsKeepTheirFourthByte) {
    BitmapPtr target(BitmapSurface::Create(3, 1, 32, true, false));
    target->Fill(0, 0, 0);
    *(target->GetPixelAddress(1, 0) + 3) = 42;
    Cover(3, 1, 255);
    GradientBlendClipped(table.rows, target.get(), 0, 0, &coverage, 0, 0, 3, 1, 1, 2, 3, 1, 2, 3);
    const uint8_t* p = target->GetPixelAddress(1, 0);
    EXPECT_EQ(p[0], 3);
    EXPECT_EQ(p[1], 2);
    EXPECT_EQ(p[2], 1);
    EXPECT_EQ(p[3], 42);
    EXPECT_EQ(target->GetPixelAddress(2, 0)[3], 255);
}

// 32-bit targets are blended several pixels at a time; every coverage value
// over varied target bytes, with a row length that leaves a ragged end, must
// give the bytes the one-pixel 24-bit path gives, and keep each fourth byte.
TEST_F(GradientBlending, ThirtyTwoBitTargetsMatchTwentyFourBitOnes) {
    constexpr int32_t kWidth = 259;
    constexpr int32_t kHeight = 6;
    BitmapPtr narrow(BitmapSurface::Create(kWidth, kHeight, 24, true, false));
    BitmapPtr wide(BitmapSurface::Create(kWidth, kHeight, 32, true, false));
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* c = coverage.GetAlphaAddress(0, y);
        for (int32_t x = 0; x < kWidth; ++x) {
            c[x] = static_cast<uint8_t>(x * (y + 1) + y);  // every value, in varied neighbourhoods
            for (int32_t k = 0; k < 4; ++k) {
                const auto byte = static_cast<uint8_t>(x * 7 + y * 13 + k * 101);
                if (k < 3) narrow->GetPixelAddress(x, y)[k] = byte;
                wide->GetPixelAddress(x, y)[k] = byte;
            }
        }
    }
    GradientBlendClipped(table.rows, narrow.get(), 0, 0, &coverage, 0, 0, kWidth, kHeight, 250, 3, 128, 7, 255, 64);
    GradientBlendClipped(table.rows, wide.get(), 0, 0, &coverage, 0, 0, kWidth, kHeight, 250, 3, 128, 7, 255, 64);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const uint8_t* n = narrow->GetPixelAddress(x, y);
            const uint8_t* w = wide->GetPixelAddress(x, y);
            ASSERT_EQ((std::array<uint8_t, 3>{w[0], w[1], w[2]}), (std::array<uint8_t, 3>{n[0], n[1], n[2]}))
                << "pixel " << x << ", " << y << ", coverage " << int(*coverage.GetAlphaAddress(x, y));
            ASSERT_EQ(w[3], static_cast<uint8_t>(x * 7 + y * 13 + 3 * 101)) << "pixel " << x << ", " << y;
        }
    }
}

TEST_F(GradientBlending, DrawsNothingWithoutColourPlaneOrTable) {
    BitmapPtr alphaOnly(BitmapSurface::Create(4, 4, 24, false, true));
    Cover(4, 4, 255);
    GradientBlendClipped(table.rows, alphaOnly.get(), 0, 0, &coverage, 0, 0, 4, 4, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(*alphaOnly->GetAlphaAddress(0, 0), 0);

    table.Free();
    BitmapPtr target(BitmapSurface::Create(4, 4, 24, true, false));
    GradientBlendClipped(table.rows, target.get(), 0, 0, &coverage, 0, 0, 4, 4, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(Bgr(target.get(), 0, 0)[0], 0);
}

}  // namespace
}  // namespace quenta::core
