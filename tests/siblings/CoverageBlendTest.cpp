// The blends, one pixel and vector, against the blend written out here, and
// that against the exact blend; and nothing written beyond a row's pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "CoverageBlend24.h"
#include "CoverageBlend32.h"

namespace quenta::scrivo2 {
namespace {

// Coverage a of 255 as a weight of 256 (a + a / 128, so that 0 keeps the
// target and 255 gives the colour), then a shift for the division.
unsigned Blended(unsigned c, unsigned t, unsigned a) {
    const unsigned w = a + a / 128;
    return (c * w + t * (256 - w)) / 256;
}

using BlendFn = void (*)(uint8_t*, std::ptrdiff_t, const uint8_t*, std::ptrdiff_t, int32_t, int32_t, uint8_t,
                         uint8_t, uint8_t);

void CheckAgainstFormula(BlendFn blend, int32_t bpp) {
    std::mt19937 random(12345);
    auto byte = [&] { return static_cast<uint8_t>(random() & 0xFF); };
    constexpr int32_t kRows = 3;
    constexpr int32_t kGuard = 16;  // bytes after each row that must keep their value
    for (int32_t w = 1; w <= 21; ++w) {
        const std::ptrdiff_t pitch = static_cast<std::ptrdiff_t>(w) * bpp + kGuard;
        std::vector<uint8_t> target(static_cast<size_t>(pitch * kRows));
        std::vector<uint8_t> coverage(static_cast<size_t>(w * kRows));
        for (auto& v : target) v = byte();
        for (auto& v : coverage) {
            // Runs of 0 and 255 as in glyphs, and everything between.
            const uint8_t pick = byte();
            v = pick < 80 ? 0 : pick < 120 ? 255 : byte();
        }
        const std::vector<uint8_t> before = target;
        const uint8_t r = byte(), g = byte(), b = byte();
        blend(target.data(), pitch, coverage.data(), w, w, kRows, r, g, b);
        for (int32_t y = 0; y < kRows; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                const size_t at = static_cast<size_t>(y * pitch + x * bpp);
                const unsigned a = coverage[static_cast<size_t>(y * w + x)];
                ASSERT_EQ(target[at], Blended(b, before[at], a)) << "w " << w << " x " << x << " y " << y;
                ASSERT_EQ(target[at + 1], Blended(g, before[at + 1], a));
                ASSERT_EQ(target[at + 2], Blended(r, before[at + 2], a));
                if (bpp == 4) {
                    ASSERT_EQ(target[at + 3], before[at + 3]) << "the fourth byte is kept";
                }
            }
            for (std::ptrdiff_t k = static_cast<std::ptrdiff_t>(w) * bpp; k < pitch; ++k) {
                const size_t at = static_cast<size_t>(y * pitch + k);
                ASSERT_EQ(target[at], before[at]) << "w " << w << " wrote past the row";
            }
        }
    }
}

TEST(Scrivo2CoverageBlend, TwentyFourBitFollowsTheFormula) { CheckAgainstFormula(BlendCoverage24, 3); }
TEST(Scrivo2CoverageBlend, ThirtyTwoBitFollowsTheFormula) { CheckAgainstFormula(BlendCoverage32, 4); }

// Every colour, target and coverage: Mix is the formula, and the formula is
// less than one and a half steps from (c * a + t * (255 - a)) / 255
// (the shift truncates and the weight is 256ths, not 255ths).
TEST(Scrivo2CoverageBlend, MixIsTheFormulaAndNearTheExactBlend) {
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned c = 0; c < 256; ++c) {
            for (unsigned t = 0; t < 256; ++t) {
                const unsigned blended = Blended(c, t, a);
                ASSERT_EQ(Mix(c, t, a), blended) << c << " " << t << " " << a;
                const double exact = (c * a + t * (255.0 - a)) / 255.0;
                ASSERT_LT(std::abs(blended - exact), 1.5) << c << " " << t << " " << a;
            }
        }
    }
}

TEST(Scrivo2CoverageBlend, MixIsExactAtTheEnds) {
    for (unsigned c : {0u, 1u, 128u, 255u}) {
        for (unsigned t : {0u, 7u, 200u, 255u}) {
            EXPECT_EQ(Mix(c, t, 0), t);
            EXPECT_EQ(Mix(c, t, 255), c);
        }
    }
}

}  // namespace
}  // namespace quenta::scrivo2
