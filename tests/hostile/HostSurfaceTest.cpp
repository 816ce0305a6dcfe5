// Surfaces a host may hand to Draw that are not BitmapSurfaces: rows stored
// bottom-up (a negative pitch), which must draw exactly as top-down rows do,
// and surfaces no one can draw on (8- or 16-bit colour, no size, addresses
// that are null), which must come back untouched.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "quenta/BitmapSurface.h"
#include "HostModules.h"
#include "core/MessageRenderer.h"

namespace quenta::testing {

using namespace ::quenta::core;
namespace {

// Every layer Draw paints: shadow, edge, bold, a gradient, and a picture of
// each kind from the archive (colour, colour and alpha, mask).
constexpr char kEveryLayer[] = "<K><E><B><C255,0,0,0,0,255>\x82\xA0" "A</C></B></E></K><G1><G2><G3>";

// A host's surface over a buffer it owns, with whatever it claims.
class HostSurface final : public Surface {
public:
    struct Claims {
        int32_t width, height, depth, pitch;
        bool pixels, alpha;
        bool nullAddresses = false;
    };

    HostSurface(const Claims& claims, size_t rows, size_t rowBytes)
        : claims_(claims), rowBytes_(rowBytes), buffer_(rows * rowBytes, 0x5A), alpha_(buffer_) {}

    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    uint8_t* GetPixelAddress(int32_t x, int32_t y) override { return Address(buffer_, x * (claims_.depth / 8), y); }
    uint8_t* GetAlphaAddress(int32_t x, int32_t y) override { return Address(alpha_, x, y); }
    int32_t GetWidth() override { return claims_.width; }
    int32_t GetHeight() override { return claims_.height; }
    int32_t GetDepth() override { return claims_.depth; }
    int32_t GetPitch() override { return claims_.pitch; }
    int32_t GetAlphaPitch() override { return claims_.pitch; }
    bool HasPixels() override { return claims_.pixels; }
    bool HasAlpha() override { return claims_.alpha; }

    const std::vector<uint8_t>& Buffer() const { return buffer_; }
    bool AlphaUntouched() const { return alpha_ == std::vector<uint8_t>(alpha_.size(), 0x5A); }

private:
    // Row y sits pitch * y bytes from row 0; with a negative pitch, row 0 is
    // the buffer's last row.
    uint8_t* Address(std::vector<uint8_t>& plane, std::ptrdiff_t column, std::ptrdiff_t y) {
        if (claims_.nullAddresses || plane.empty()) return nullptr;
        const std::ptrdiff_t firstRow = claims_.pitch < 0 ? static_cast<std::ptrdiff_t>(plane.size() - rowBytes_) : 0;
        return plane.data() + firstRow + y * claims_.pitch + column;
    }

    Claims claims_;
    size_t rowBytes_;
    std::vector<uint8_t> buffer_;
    std::vector<uint8_t> alpha_;
};

class HostSurfaces : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fuzzing::LoadSiblingModules(QUENTA_MODULE_FOLDER, QUENTA_PICTURE_ARCHIVE); }
    void SetUp() override {
        renderer = new MessageRenderer();
        renderer->SetText(kEveryLayer);
    }
    void TearDown() override { renderer->Release(); }

    MessageRenderer* renderer = nullptr;
};

TEST_F(HostSurfaces, BottomUpRowsDrawAsTopDownRowsDo) {
    constexpr int32_t kWidth = 120, kHeight = 40;
    for (int32_t depth : {24, 32}) {
        const size_t rowBytes = static_cast<size_t>(kWidth * depth / 8);
        BitmapPtr topDown(BitmapSurface::Create(kWidth, kHeight, depth, true, false));
        for (int32_t y = 0; y < kHeight; ++y) std::memset(topDown->GetPixelAddress(0, y), 0x5A, rowBytes);
        HostSurface bottomUp({kWidth, kHeight, depth, -static_cast<int32_t>(rowBytes), true, false}, kHeight,
                             rowBytes);
        renderer->Draw(topDown.get(), 2, 3);
        renderer->Draw(&bottomUp, 2, 3);

        size_t differing = 0;
        size_t painted = 0;
        for (int32_t y = 0; y < kHeight; ++y) {
            const uint8_t* expected = topDown->GetPixelAddress(0, y);
            const uint8_t* actual = bottomUp.GetPixelAddress(0, y);
            for (size_t i = 0; i < rowBytes; ++i) {
                differing += expected[i] != actual[i];
                painted += expected[i] != 0x5A;
            }
        }
        EXPECT_GT(painted, 500u) << depth;  // text and pictures were drawn at all
        EXPECT_EQ(differing, 0u) << depth;
    }
}

TEST_F(HostSurfaces, SurfacesNoOneCanDrawOnComeBackUntouched) {
    struct Case {
        const char* what;
        HostSurface::Claims claims;
    };
    for (const Case& c : {
             Case{"16-bit colour", {64, 32, 16, 128, true, true}},
             Case{"8-bit colour", {64, 32, 8, 64, true, true}},
             Case{"no width", {0, 32, 24, 192, true, true}},
             Case{"no height", {64, 0, 24, 192, true, true}},
             Case{"negative sizes", {-64, -32, 24, 192, true, true}},
             Case{"colour plane without addresses", {64, 32, 24, 192, true, true, true}},
             Case{"no colour plane", {64, 32, 24, 192, false, true}},
         }) {
        HostSurface surface(c.claims, 32, 192);
        const std::vector<uint8_t> before = surface.Buffer();
        renderer->Draw(&surface, 0, 0);
        EXPECT_EQ(surface.Buffer(), before) << c.what;
        EXPECT_TRUE(surface.AlphaUntouched()) << c.what;
    }
}

}  // namespace
}  // namespace quenta::testing
