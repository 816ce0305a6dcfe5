// Pictura on small real files: the planes it chooses, the pixels it keeps,
// and null (never a crash) for anything damaged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PictureBytes.h"
#include "SiblingModules.h"

namespace quenta::testing {
namespace {

enum class Planes { kColor, kColorAndAlpha, kMask };

struct GoodPicture {
    std::string name;
    Bytes file;
    int width;
    int height;
    std::vector<Rgba> expected;  // top row first
    Planes planes;
};

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 200, 0, 255};
constexpr Rgba kBlue{10, 20, 250, 255};
constexpr Rgba kGrey{128, 128, 128, 255};
constexpr Rgba kCyan{0, 255, 255, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

Rgba WithAlpha(Rgba c, uint8_t a) { return {c.r, c.g, c.b, a}; }

std::vector<GoodPicture> GoodPictures() {
    // 3x2: odd widths leave padding at the end of every BMP row.
    const std::vector<Rgba> opaque = {kRed, kGreen, kBlue, kGrey, kCyan, kYellow};
    const std::vector<Rgba> translucent = {WithAlpha(kRed, 255), WithAlpha(kGreen, 128), WithAlpha(kBlue, 1),
                                           WithAlpha(kGrey, 0),  WithAlpha(kCyan, 64),   WithAlpha(kWhite, 200)};
    const std::vector<Rgba> whiteInk = {WithAlpha(kWhite, 255), WithAlpha(kWhite, 128), WithAlpha(kWhite, 0),
                                        WithAlpha(kWhite, 1),   WithAlpha(kWhite, 0),   WithAlpha(kWhite, 77)};
    // Colour under alpha 0 is invisible and must not stop a mask being one.
    std::vector<Rgba> inkOverHiddenColour = whiteInk;
    inkOverHiddenColour[2] = WithAlpha(kBlue, 0);
    std::vector<Rgba> nearlyWhite = whiteInk;
    nearlyWhite[1] = Rgba{255, 254, 255, 128};
    std::vector<Rgba> zeroAlphaBytes = opaque;
    for (Rgba& p : zeroAlphaBytes) p.a = 0;

    return {
        {"PngRgb", MakePng(3, 2, opaque, false), 3, 2, opaque, Planes::kColor},
        {"PngRgbaAllOpaque", MakePng(3, 2, opaque, true), 3, 2, opaque, Planes::kColor},
        {"PngRgba", MakePng(3, 2, translucent, true), 3, 2, translucent, Planes::kColorAndAlpha},
        {"PngWhiteInkIsMask", MakePng(3, 2, whiteInk, true), 3, 2, whiteInk, Planes::kMask},
        {"PngHiddenColourKeepsMask", MakePng(3, 2, inkOverHiddenColour, true), 3, 2, inkOverHiddenColour,
         Planes::kMask},
        {"PngNearlyWhiteIsNoMask", MakePng(3, 2, nearlyWhite, true), 3, 2, nearlyWhite, Planes::kColorAndAlpha},
        {"PngGrey", MakeGreyPng(2, 1, {0, 200}), 2, 1, {{0, 0, 0, 255}, {200, 200, 200, 255}}, Planes::kColor},
        {"Bmp24", MakeBmp(3, 2, opaque, 24), 3, 2, opaque, Planes::kColor},
        {"Bmp24TopDown", MakeBmp(3, 2, opaque, 24, true), 3, 2, opaque, Planes::kColor},
        {"Bmp32Alpha", MakeBmp(3, 2, translucent, 32), 3, 2, translucent, Planes::kColorAndAlpha},
        {"Bmp32WhiteInkIsMask", MakeBmp(3, 2, whiteInk, 32), 3, 2, whiteInk, Planes::kMask},
        // Many writers leave the fourth byte of 32-bit rows at zero: opaque.
        {"Bmp32ZeroAlphaIsOpaque", MakeBmp(3, 2, zeroAlphaBytes, 32), 3, 2, opaque, Planes::kColor},
    };
}

class PicturaTest : public ::testing::Test {
protected:
    SiblingModule<Pictura> module_{host::Module::kPictura, QUENTA_PICTURA_MODULE, kPicturaId};
    Ref<Pictura> pictura_ = module_.Create();

    Ref<Surface> Decode(const Bytes& file) {
        // A copy of exactly the file's size, so that any read past its end
        // lands outside the allocation.
        auto* exact = new uint8_t[file.size() ? file.size() : 1];
        std::copy(file.begin(), file.end(), exact);
        Ref<Surface> picture(pictura_->DecodeBytes(exact, static_cast<int32_t>(file.size())));
        delete[] exact;
        return picture;
    }
};

TEST_F(PicturaTest, DecodesEachKindIntoTheRightPlanes) {
    ASSERT_NE(pictura_, nullptr);
    for (const GoodPicture& c : GoodPictures()) {
        SCOPED_TRACE(c.name);
        Ref<Surface> picture = Decode(c.file);
        ASSERT_NE(picture, nullptr);
        ASSERT_EQ(picture->GetWidth(), c.width);
        ASSERT_EQ(picture->GetHeight(), c.height);
        EXPECT_EQ(picture->HasPixels(), c.planes != Planes::kMask);
        EXPECT_EQ(picture->HasAlpha(), c.planes != Planes::kColor);
        if (picture->HasPixels()) {
            EXPECT_EQ(picture->GetDepth(), 24);
        }
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const Rgba& want = c.expected[static_cast<size_t>(y * c.width + x)];
                SCOPED_TRACE("pixel " + std::to_string(x) + "," + std::to_string(y));
                if (picture->HasAlpha()) {
                    EXPECT_EQ(*picture->GetAlphaAddress(x, y), want.a);
                }
                if (picture->HasPixels() && want.a > 0) {
                    const uint8_t* bgr = picture->GetPixelAddress(x, y);
                    EXPECT_EQ(bgr[0], want.b);
                    EXPECT_EQ(bgr[1], want.g);
                    EXPECT_EQ(bgr[2], want.r);
                }
            }
        }
    }
}

TEST_F(PicturaTest, DamagedOrOversizedFilesGiveNull) {
    ASSERT_NE(pictura_, nullptr);
    const std::vector<Rgba> pixels(64 * 8, kGreen);
    const Bytes png = MakePng(64, 8, pixels, false);
    const Bytes bmp = MakeBmp(5, 8, std::vector<Rgba>(40, kBlue), 24);
    Bytes rleBmp = bmp;
    rleBmp[30] = 1;  // compression: 8-bit RLE, not for 24-bit pixels
    Bytes hugeBmp = bmp;
    hugeBmp[18 + 2] = 0x10;  // width 0x100005
    hugeBmp[22 + 2] = 0x10;  // height 0x100008

    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"Empty", {}},
        {"NotAPicture", {'h', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd'}},
        {"PngSignatureOnly", Cut(png, 8)},
        {"PngCutInHeader", Cut(png, 20)},
        {"PngCutInPixels", Cut(png, Find(png, "IDAT") + 12)},
        {"PngWithoutEnd", Cut(png, png.size() - 12)},
        {"PngLastByteMissing", Cut(png, png.size() - 1)},
        {"PngDamagedPixelChunk", Flip(png, Find(png, "IDAT") + 6)},
        {"PngTooLarge", MakePngHeader(20000, 20000)},
        {"BmpHeaderOnly", Cut(bmp, 54)},
        {"BmpCutInPixels", Cut(bmp, bmp.size() - 7)},
        {"BmpFinalPaddingMissing", Cut(bmp, bmp.size() - 1)},
        {"BmpCompressed", rleBmp},
        {"BmpTooLarge", hugeBmp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decode(c.file), nullptr);
    }
}

TEST_F(PicturaTest, NoBytesAndNoEntryGiveNull) {
    ASSERT_NE(pictura_, nullptr);
    const Bytes png = MakePng(1, 1, {kRed}, false);
    EXPECT_EQ(pictura_->DecodeBytes(nullptr, 10), nullptr);
    EXPECT_EQ(pictura_->DecodeBytes(png.data(), -1), nullptr);
    EXPECT_EQ(pictura_->DecodeEntry(0), nullptr);
}

}  // namespace
}  // namespace quenta::testing
