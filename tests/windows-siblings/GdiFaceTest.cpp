// The GDI painter's faces: the classic names through CreateFont with the
// Shift-JIS character set, and font files added for the process alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "GdiPainter.h"
#include "SurfaceBytes.h"
#include "quenta/BitmapSurface.h"
#include "quenta/FaceNames.h"
#include "quenta/Ref.h"

namespace quenta {
namespace {

using scrivo2::GdiPainter;
using testing::PlaneBytes;

constexpr char kKanji[] = "\x8A\xBF";     // 漢
constexpr char kHiragana[] = "\x82\xA0";  // あ

// `text` painted black at 24 pixels on white, in the painter's face.
BitmapPtr Painted(GdiPainter& painter, const char* text) {
    BitmapPtr s(BitmapSurface::Create(48, 24, 24, true, false));
    s->Fill(255, 255, 255);
    painter.SetSize(24);
    painter.SetColor(0, 0, 0);
    painter.PaintText(s.get(), 0, 0, text);
    return s;
}

int Inked(BitmapSurface& s) {
    int inked = 0;
    for (int32_t y = 0; y < s.GetHeight(); ++y) {
        for (int32_t x = 0; x < s.GetWidth(); ++x) inked += s.GetPixelAddress(x, y)[0] < 128;
    }
    return inked;
}

TEST(GdiFaces, BothClassicFacesPaintJapanese) {
    Ref<GdiPainter> painter(GdiPainter::Create());
    ASSERT_TRUE(painter);
    for (const char* face : {kGothicFace, kMinchoFace}) {
        SCOPED_TRACE(face == kGothicFace ? "Gothic" : "Mincho");
        ASSERT_EQ(painter->SetFace(face), 1);
        EXPECT_GT(Inked(*Painted(*painter, kKanji)), 30);
        EXPECT_GT(Inked(*Painted(*painter, kHiragana)), 20);
    }
    // Two faces, not one face under two names.
    ASSERT_EQ(painter->SetFace(kGothicFace), 1);
    const BitmapPtr gothic = Painted(*painter, kKanji);
    ASSERT_EQ(painter->SetFace(kMinchoFace), 1);
    EXPECT_NE(PlaneBytes(*Painted(*painter, kKanji)), PlaneBytes(*gothic));
}

TEST(GdiFaces, DefaultFaceIsTheGothicOne) {
    Ref<GdiPainter> fresh(GdiPainter::Create());
    Ref<GdiPainter> gothic(GdiPainter::Create());
    ASSERT_TRUE(fresh && gothic);
    ASSERT_EQ(gothic->SetFace(kGothicFace), 1);
    EXPECT_EQ(PlaneBytes(*Painted(*fresh, kKanji)), PlaneBytes(*Painted(*gothic, kKanji)));
}

TEST(GdiFaces, SetFontFileRefusesWhatGdiCannotUse) {
    Ref<GdiPainter> painter(GdiPainter::Create());
    ASSERT_TRUE(painter);
    EXPECT_FALSE(painter->SetFontFile(kGothicFace, "Z:\\nonexistent\\font.ttf"));
    EXPECT_FALSE(painter->SetFontFile(kGothicFace, ""));
    EXPECT_FALSE(painter->SetFontFile(kGothicFace, nullptr));
    EXPECT_FALSE(painter->SetFontFile(nullptr, QUENTA_MINCHO_FONT));
    // A file that is no font.
    EXPECT_FALSE(painter->SetFontFile(kGothicFace, SCRIVO2_MODULE_PATH));
    // The face is as it was.
    EXPECT_EQ(painter->SetFace(kGothicFace), 1);
    EXPECT_GT(Inked(*Painted(*painter, kKanji)), 30);
}

TEST(GdiFaces, SetFontFilePointsANameAtTheFilesFamily) {
    Ref<GdiPainter> painter(GdiPainter::Create());
    ASSERT_TRUE(painter);
    ASSERT_TRUE(painter->SetFontFile("MyFace", QUENTA_MINCHO_FONT));
    ASSERT_EQ(painter->SetFace("MyFace"), 1);
    const BitmapPtr mine = Painted(*painter, kKanji);
    EXPECT_GT(Inked(*mine), 30);
    // The file is the Mincho face's own: both names paint alike.
    ASSERT_EQ(painter->SetFace(kMinchoFace), 1);
    EXPECT_EQ(PlaneBytes(*Painted(*painter, kKanji)), PlaneBytes(*mine));
}

}  // namespace
}  // namespace quenta
