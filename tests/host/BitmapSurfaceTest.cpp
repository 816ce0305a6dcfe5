// The host kit's Surface: what each slot answers for each set of planes, as
// its header promises, and the bitmaps it refuses to make.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "quenta/BitmapSurface.h"

namespace quenta {
namespace {

struct Planes {
    const char* name;
    int32_t depth;
    bool withPixels;
    bool withAlpha;
    int32_t depthAnswer;
    int32_t pitch;       // for a width of 5
    int32_t alphaPitch;  // likewise
};

void PrintTo(const Planes& planes, std::ostream* os) { *os << planes.name; }

class BitmapSlots : public ::testing::TestWithParam<Planes> {};

TEST_P(BitmapSlots, AnswerAsTheHeaderSays) {
    const Planes& p = GetParam();
    BitmapPtr bitmap(BitmapSurface::Create(5, 3, p.depth, p.withPixels, p.withAlpha));
    ASSERT_TRUE(bitmap);
    Surface* surface = bitmap.get();
    EXPECT_EQ(surface->GetWidth(), 5);
    EXPECT_EQ(surface->GetHeight(), 3);
    EXPECT_EQ(surface->GetDepth(), p.depthAnswer);
    EXPECT_EQ(surface->GetPitch(), p.pitch);
    EXPECT_EQ(surface->GetAlphaPitch(), p.alphaPitch);
    EXPECT_EQ(surface->HasPixels(), p.withPixels);
    EXPECT_EQ(surface->HasAlpha(), p.withAlpha);
    if (p.withPixels) {
        uint8_t* origin = surface->GetPixelAddress(0, 0);
        ASSERT_NE(origin, nullptr);
        EXPECT_EQ(surface->GetPixelAddress(2, 1), origin + p.pitch + 2 * (p.depth / 8));
        EXPECT_EQ(surface->GetPixelAddress(4, 2)[p.depth / 8 - 1], 0) << "colour bytes start at 0";
    } else {
        EXPECT_EQ(surface->GetPixelAddress(0, 0), nullptr);
    }
    if (p.withAlpha) {
        uint8_t* origin = surface->GetAlphaAddress(0, 0);
        ASSERT_NE(origin, nullptr);
        EXPECT_EQ(surface->GetAlphaAddress(3, 2), origin + 2 * p.alphaPitch + 3);
        EXPECT_EQ(*surface->GetAlphaAddress(4, 2), 0) << "alpha starts at 0";
    } else {
        EXPECT_EQ(surface->GetAlphaAddress(0, 0), nullptr);
    }
    EXPECT_EQ(surface->AddRef(), 2);
    EXPECT_EQ(surface->Release(), 1);
}

INSTANTIATE_TEST_SUITE_P(Planes, BitmapSlots,
                         ::testing::Values(Planes{"ColourAndAlpha", 32, true, true, 32, 20, 8},
                                           Planes{"Colour24", 24, true, false, 24, 16, 0},
                                           Planes{"AlphaOnly", 24, false, true, 0, 0, 8},
                                           Planes{"Neither", 32, false, false, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapSurface, RefusesSizesDepthsAndPlanesItCannotHold) {
    struct Refused {
        int32_t width, height, depth;
        bool withPixels;
    };
    constexpr int32_t kBig = std::numeric_limits<int32_t>::max();
    for (const Refused& r : {Refused{0, 1, 24, true}, Refused{1, 0, 24, true}, Refused{-1, 1, 24, true},
                             Refused{1, 1, 16, true}, Refused{1, 1, 8, true}, Refused{kBig, 2, 24, true},
                             Refused{kBig / 2, 4, 32, false}}) {
        EXPECT_EQ(BitmapSurface::Create(r.width, r.height, r.depth, r.withPixels, !r.withPixels), nullptr)
            << r.width << "x" << r.height << " depth " << r.depth;
    }
}

TEST(BitmapSurface, FillPaintsEveryPixelAndMakes32BitOnesOpaque) {
    BitmapPtr bitmap(BitmapSurface::Create(3, 2, 32, true, false));
    ASSERT_TRUE(bitmap);
    bitmap->Fill(10, 20, 30);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            const uint8_t* p = bitmap->GetPixelAddress(x, y);
            EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), (std::vector<int>{30, 20, 10, 255})) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace quenta
