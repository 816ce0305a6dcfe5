// Plotra's plotter, linked statically: exact pixels for the three
// operations on every mix of depths, and clipping against hostile numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "quenta/BitmapSurface.h"
#include "quenta/Ref.h"
#include "Plotter.h"
#include "SurfaceBytes.h"

namespace quenta {
namespace {

using plotra::Plotter;
using testing::PlaneBytes;

using PlotterPtr = Ref<Plotter>;

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << int{c.r} << "," << int{c.g} << "," << int{c.b} << ")";
}

Rgb At(BitmapSurface& s, int32_t x, int32_t y) {
    const uint8_t* p = s.GetPixelAddress(x, y);
    return {p[2], p[1], p[0]};
}

void Put(BitmapSurface& s, int32_t x, int32_t y, Rgb c) {
    uint8_t* p = s.GetPixelAddress(x, y);
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
}

// A colour surface whose pixel (x, y) is Pattern(x, y), with a fourth byte
// of 0x42 when 32-bit, and an alpha plane of AlphaPattern when asked.
Rgb Pattern(int32_t x, int32_t y) {
    return {static_cast<uint8_t>(10 + 20 * x), static_cast<uint8_t>(15 + 30 * y), static_cast<uint8_t>(7 * x + 11 * y)};
}
uint8_t AlphaPattern(int32_t x, int32_t y) {
    static constexpr uint8_t kValues[] = {0, 255, 128, 64, 1, 254, 200, 33};
    return kValues[(x + 3 * y) % 8];
}

BitmapPtr MakePatterned(int32_t w, int32_t h, int32_t depth, bool alpha) {
    BitmapPtr s(BitmapSurface::Create(w, h, depth, true, alpha));
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            Put(*s, x, y, Pattern(x, y));
            if (depth == 32) s->GetPixelAddress(x, y)[3] = 0x42;
            if (alpha) *s->GetAlphaAddress(x, y) = AlphaPattern(x, y);
        }
    }
    return s;
}

BitmapPtr MakeFilled(int32_t w, int32_t h, int32_t depth, Rgb c) {
    BitmapPtr s(BitmapSurface::Create(w, h, depth, true, false));
    s->Fill(c.r, c.g, c.b);
    if (depth == 32) {
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) s->GetPixelAddress(x, y)[3] = 0x42;
        }
    }
    return s;
}

BitmapPtr MakeAlphaOnly(int32_t w, int32_t h) {
    BitmapPtr s(BitmapSurface::Create(w, h, 0, false, true));
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) *s->GetAlphaAddress(x, y) = AlphaPattern(x, y);
    }
    return s;
}

// (c * a + t * (255 - a)) / 255, rounded to nearest: the documented blend.
uint8_t Mix(uint8_t c, uint8_t t, uint8_t a) { return static_cast<uint8_t>((c * a + t * (255 - a) + 127) / 255); }

class PlotraTest : public ::testing::TestWithParam<std::pair<int32_t, int32_t>> {
protected:
    void SetUp() override {
        plotter.reset(Plotter::Create());
        ASSERT_TRUE(plotter);
    }
    int32_t TargetDepth() const { return GetParam().first; }
    int32_t SourceDepth() const { return GetParam().second; }

    PlotterPtr plotter;
};

// Every check of a 4th byte: untouched on 32-bit targets.
void ExpectFourthBytesKept(BitmapSurface& t) {
    if (t.GetDepth() != 32) return;
    for (int32_t y = 0; y < t.GetHeight(); ++y) {
        for (int32_t x = 0; x < t.GetWidth(); ++x) ASSERT_EQ(t.GetPixelAddress(x, y)[3], 0x42) << x << "," << y;
    }
}

TEST_P(PlotraTest, CopyRectMovesExactlyTheRectangle) {
    BitmapPtr source = MakePatterned(4, 3, SourceDepth(), false);
    const Rgb back{9, 9, 9};
    BitmapPtr target = MakeFilled(5, 4, TargetDepth(), back);
    EXPECT_EQ(plotter->CopyRect(target.get(), 0, 1, source.get(), 1, 1, 2, 2), 4);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 5; ++x) {
            const bool inside = x < 2 && y >= 1 && y < 3;
            EXPECT_EQ(At(*target, x, y), inside ? Pattern(x + 1, y) : back) << x << "," << y;
        }
    }
    ExpectFourthBytesKept(*target);
}

TEST_P(PlotraTest, BlendRectWeighsTheSourceByItsAlpha) {
    BitmapPtr source(BitmapSurface::Create(4, 1, SourceDepth(), true, true));
    const uint8_t alphas[4] = {0, 128, 255, 64};
    for (int32_t x = 0; x < 4; ++x) {
        Put(*source, x, 0, {200, 100, 50});
        *source->GetAlphaAddress(x, 0) = alphas[x];
    }
    BitmapPtr target = MakeFilled(4, 1, TargetDepth(), {100, 100, 100});
    EXPECT_EQ(plotter->BlendRect(target.get(), 0, 0, source.get(), 0, 0, 4, 1), 4);
    EXPECT_EQ(At(*target, 0, 0), (Rgb{100, 100, 100}));  // alpha 0: unchanged
    EXPECT_EQ(At(*target, 1, 0), (Rgb{150, 100, 75}));   // (200*128 + 100*127) / 255 = 150.2
    EXPECT_EQ(At(*target, 2, 0), (Rgb{200, 100, 50}));   // alpha 255: the source
    EXPECT_EQ(At(*target, 3, 0), (Rgb{125, 100, 87}));   // (50*64 + 100*191) / 255 = 87.5-
    ExpectFourthBytesKept(*target);
}

TEST_P(PlotraTest, BlendRectOverAWholePatternMatchesTheFormula) {
    BitmapPtr source = MakePatterned(7, 5, SourceDepth(), true);
    BitmapPtr target = MakePatterned(9, 6, TargetDepth(), false);
    BitmapPtr before = MakePatterned(9, 6, TargetDepth(), false);
    plotter->BlendRect(target.get(), 2, 1, source.get(), 1, 0, 6, 5);
    for (int32_t y = 0; y < 6; ++y) {
        for (int32_t x = 0; x < 9; ++x) {
            Rgb expected = At(*before, x, y);
            if (x >= 2 && x < 8 && y >= 1 && y < 6) {
                const Rgb s = Pattern(x - 1, y - 1);
                const uint8_t a = AlphaPattern(x - 1, y - 1);
                expected = {Mix(s.r, expected.r, a), Mix(s.g, expected.g, a), Mix(s.b, expected.b, a)};
            }
            EXPECT_EQ(At(*target, x, y), expected) << x << "," << y;
        }
    }
    ExpectFourthBytesKept(*target);
}

TEST_P(PlotraTest, BlendColorRectLaysTheClampedColour) {
    BitmapPtr source = MakeAlphaOnly(5, 3);
    BitmapPtr target = MakeFilled(6, 4, TargetDepth(), {40, 80, 120});
    EXPECT_EQ(plotter->BlendColorRect(target.get(), 1, 1, source.get(), 0, 0, 5, 3, 300, -4, 128), 15);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 6; ++x) {
            Rgb expected{40, 80, 120};
            if (x >= 1 && y >= 1) {
                const uint8_t a = AlphaPattern(x - 1, y - 1);
                expected = {Mix(255, 40, a), Mix(0, 80, a), Mix(128, 120, a)};
            }
            EXPECT_EQ(At(*target, x, y), expected) << x << "," << y;
        }
    }
    ExpectFourthBytesKept(*target);
}

TEST_P(PlotraTest, BlendColorRectUsesTheAlphaOfAColourSourceToo) {
    BitmapPtr source = MakePatterned(3, 2, SourceDepth(), true);
    BitmapPtr target = MakeFilled(3, 2, TargetDepth(), {0, 0, 0});
    plotter->BlendColorRect(target.get(), 0, 0, source.get(), 0, 0, 3, 2, 255, 255, 255);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            const uint8_t a = AlphaPattern(x, y);
            EXPECT_EQ(At(*target, x, y), (Rgb{a, a, a}));
        }
    }
}

// A plain per-pixel reference: what every operation must equal, whatever
// the rectangle, with nothing read or written outside either surface.
void ReferenceCopy(BitmapSurface& t, int64_t dx, int64_t dy, BitmapSurface& s, int64_t sx, int64_t sy, int64_t w,
                   int64_t h) {
    // Only offsets that land inside both surfaces can matter; the loops
    // still check every pixel they visit.
    const int64_t i0 = std::max<int64_t>({0, -dx, -sx});
    const int64_t i1 = std::min<int64_t>({w, t.GetWidth() - dx, s.GetWidth() - sx});
    const int64_t j0 = std::max<int64_t>({0, -dy, -sy});
    const int64_t j1 = std::min<int64_t>({h, t.GetHeight() - dy, s.GetHeight() - sy});
    for (int64_t j = j0; j < j1; ++j) {
        for (int64_t i = i0; i < i1; ++i) {
            const int64_t tx = dx + i, ty = dy + j, ux = sx + i, uy = sy + j;
            if (tx < 0 || ty < 0 || ux < 0 || uy < 0) continue;
            if (tx >= t.GetWidth() || ty >= t.GetHeight() || ux >= s.GetWidth() || uy >= s.GetHeight()) continue;
            Put(t, static_cast<int32_t>(tx), static_cast<int32_t>(ty), At(s, static_cast<int32_t>(ux), static_cast<int32_t>(uy)));
        }
    }
}

TEST_P(PlotraTest, ClipsDefensivelyAgainstBothSurfaces) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    // dx, dy, sx, sy, w, h
    const std::array<int32_t, 6> cases[] = {
        {-2, 1, 0, 0, 5, 2},   {3, 1, 0, 0, 5, 2},     {1, -2, 0, 0, 2, 5},    {1, 3, 0, 0, 2, 5},
        {0, 0, -2, -1, 6, 6},  {0, 0, 3, 2, 6, 6},     {-1, -1, -1, -1, 9, 9}, {0, 0, 0, 0, 0, 3},
        {0, 0, 0, 0, 3, -1},   {0, 0, 0, 0, -5, -5},   {7, 0, 0, 0, 3, 3},     {0, 0, 7, 0, 3, 3},
        {kMax, 0, 0, 0, kMax, 3}, {kMin, 0, 0, 0, kMax, 3}, {0, 0, kMin, kMin, kMax, kMax},
        {kMax - 1, kMax - 1, 0, 0, 2, 2}, {-3, -3, kMax, 0, kMax, kMax}, {2, 2, 1, 1, kMax, kMax},
        {1, 0, kMin + 1, 0, kMin, kMax}};
    for (const auto& c : cases) {
        // Odd widths: rows end in padding that must stay 0 (24-bit) or the
        // 4th byte 0x42 (32-bit targets are filled so).
        BitmapPtr source = MakePatterned(5, 4, SourceDepth(), true);
        BitmapPtr copied = MakeFilled(7, 5, TargetDepth(), {1, 2, 3});
        BitmapPtr expected = MakeFilled(7, 5, TargetDepth(), {1, 2, 3});
        plotter->CopyRect(copied.get(), c[0], c[1], source.get(), c[2], c[3], c[4], c[5]);
        ReferenceCopy(*expected, c[0], c[1], *source, c[2], c[3], c[4], c[5]);
        EXPECT_EQ(PlaneBytes(*copied), PlaneBytes(*expected))
            << c[0] << " " << c[1] << " " << c[2] << " " << c[3] << " " << c[4] << " " << c[5];
        // The blends cover the same pixels: with an opaque alpha plane they
        // equal the copy.
        for (int32_t y = 0; y < 4; ++y) std::memset(source->GetAlphaAddress(0, y), 255, 5);
        BitmapPtr blended = MakeFilled(7, 5, TargetDepth(), {1, 2, 3});
        plotter->BlendRect(blended.get(), c[0], c[1], source.get(), c[2], c[3], c[4], c[5]);
        EXPECT_EQ(PlaneBytes(*blended), PlaneBytes(*expected));
        BitmapPtr white = MakePatterned(5, 4, SourceDepth(), true);
        for (int32_t y = 0; y < 4; ++y) {
            std::memset(white->GetAlphaAddress(0, y), 255, 5);
            for (int32_t x = 0; x < 5; ++x) Put(*white, x, y, {250, 251, 252});
        }
        BitmapPtr coloured = MakeFilled(7, 5, TargetDepth(), {1, 2, 3});
        BitmapPtr colouredExpected = MakeFilled(7, 5, TargetDepth(), {1, 2, 3});
        plotter->BlendColorRect(coloured.get(), c[0], c[1], source.get(), c[2], c[3], c[4], c[5], 250, 251, 252);
        ReferenceCopy(*colouredExpected, c[0], c[1], *white, c[2], c[3], c[4], c[5]);
        EXPECT_EQ(PlaneBytes(*coloured), PlaneBytes(*colouredExpected));
    }
}

TEST_P(PlotraTest, MissingPlanesMeanNothingIsDone) {
    BitmapPtr noAlpha = MakePatterned(4, 4, SourceDepth(), false);
    BitmapPtr alphaOnly = MakeAlphaOnly(4, 4);
    BitmapPtr target = MakeFilled(4, 4, TargetDepth(), {5, 6, 7});
    const std::vector<uint8_t> before = PlaneBytes(*target);
    EXPECT_EQ(plotter->BlendRect(target.get(), 0, 0, noAlpha.get(), 0, 0, 4, 4), 0);
    EXPECT_EQ(plotter->BlendColorRect(target.get(), 0, 0, noAlpha.get(), 0, 0, 4, 4, 1, 2, 3), 0);
    EXPECT_EQ(plotter->CopyRect(target.get(), 0, 0, alphaOnly.get(), 0, 0, 4, 4), 0);
    EXPECT_EQ(plotter->BlendRect(target.get(), 0, 0, alphaOnly.get(), 0, 0, 4, 4), 0);
    EXPECT_EQ(PlaneBytes(*target), before);
    // A target without colour takes nothing, and its alpha stays as it was.
    BitmapPtr alphaTarget = MakeAlphaOnly(4, 4);
    EXPECT_EQ(plotter->CopyRect(alphaTarget.get(), 0, 0, noAlpha.get(), 0, 0, 4, 4), 0);
    EXPECT_EQ(plotter->BlendColorRect(alphaTarget.get(), 0, 0, alphaOnly.get(), 0, 0, 4, 4, 1, 2, 3), 0);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(*alphaTarget->GetAlphaAddress(x, y), AlphaPattern(x, y));
    }
    EXPECT_EQ(plotter->CopyRect(nullptr, 0, 0, noAlpha.get(), 0, 0, 4, 4), 0);
    EXPECT_EQ(plotter->CopyRect(target.get(), 0, 0, nullptr, 0, 0, 4, 4), 0);
    EXPECT_EQ(plotter->BlendRect(nullptr, 0, 0, nullptr, 0, 0, 4, 4), 0);
    EXPECT_EQ(plotter->BlendColorRect(target.get(), 0, 0, nullptr, 0, 0, 4, 4, 1, 2, 3), 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, PlotraTest,
                         ::testing::Values(std::pair{24, 24}, std::pair{24, 32}, std::pair{32, 24}, std::pair{32, 32}),
                         [](const auto& info) {
                             return "Target" + std::to_string(info.param.first) + "Source" +
                                    std::to_string(info.param.second);
                         });

TEST(PlotraPlotter, OverlappingCopyOnOneSurfaceActsLikeMemmove) {
    PlotterPtr plotter(Plotter::Create());
    const int32_t shifts[][2] = {{1, 1}, {-1, -1}, {2, 0}, {-2, 0}, {0, 2}, {0, -2}, {1, -1}, {-1, 1}};
    for (int32_t depth : {24, 32}) {
        for (const auto& shift : shifts) {
            BitmapPtr surface = MakePatterned(8, 6, depth, false);
            BitmapPtr snapshot = MakePatterned(8, 6, depth, false);
            BitmapPtr expected = MakePatterned(8, 6, depth, false);
            plotter->CopyRect(surface.get(), 2 + shift[0], 2 + shift[1], surface.get(), 2, 2, 4, 3);
            ReferenceCopy(*expected, 2 + shift[0], 2 + shift[1], *snapshot, 2, 2, 4, 3);
            EXPECT_EQ(PlaneBytes(*surface), PlaneBytes(*expected)) << depth << " " << shift[0] << "," << shift[1];
        }
    }
}

TEST(PlotraPlotter, StartupSetupAndReservedSlots) {
    PlotterPtr plotter(Plotter::Create());
    ASSERT_TRUE(plotter);
    EXPECT_TRUE(plotter->Startup());
    EXPECT_EQ(plotter->Setup(1), 0);
    EXPECT_EQ(plotter->Setup(-12345), 0);
    EXPECT_EQ(plotter->Reserved5(), 0);
    EXPECT_EQ(plotter->Reserved6(), 0);
    EXPECT_EQ(plotter->Reserved7(), 0);
    EXPECT_EQ(plotter->Reserved8(), 0);
    EXPECT_EQ(plotter->Reserved9(), 0);
    EXPECT_EQ(plotter->Reserved11(), 0);
    const int32_t count = plotter->AddRef();
    EXPECT_GE(count, 2);
    EXPECT_EQ(plotter->Release(), count - 1);
}

TEST(PlotraPlotter, OneStatelessPlotterServesEveryone) {
    Plotter* first = Plotter::Create();
    Plotter* second = Plotter::Create();
    EXPECT_EQ(first, second);
    const int32_t count = first->AddRef();
    EXPECT_EQ(first->Release(), count - 1);
    // Every reference handed out given back leaves the module's own: the
    // plotter is still there for the next host (and nothing leaks for a
    // host that keeps it for good).
    EXPECT_EQ(first->Release(), count - 2);
    EXPECT_EQ(second->Release(), 1);
    EXPECT_TRUE(second->Startup());
    Plotter* again = Plotter::Create();
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->Release(), 1);
}

}  // namespace
}  // namespace quenta
