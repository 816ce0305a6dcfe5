// Scrivo2.so and Plotra.so as a host sees them: loaded at run time and
// working through the interfaces their CreateInterface hands out (which IDs
// they answer is ModuleCreateTest's).
#include <gtest/gtest.h>

#include "KeptModule.h"
#include "quenta/BitmapSurface.h"
#include "quenta/CreateInterface.h"
#include "quenta/FaceNames.h"
#include "quenta/ModuleSet.h"
#include "quenta/Plotra.h"
#include "quenta/TextPainter.h"

namespace quenta {
namespace {

using testing::LoadKept;

TEST(Scrivo2Module, PaintsThroughItsInterface) {
    CreateInterfaceFn create = LoadKept(host::Module::kScrivo2, SCRIVO2_MODULE_PATH);
    ASSERT_TRUE(create);
    auto* painter = static_cast<TextPainter*>(create(&kScrivo2Id));
    ASSERT_TRUE(painter);
    EXPECT_EQ(painter->AddRef(), 2);
    EXPECT_EQ(painter->Release(), 1);

    BitmapPtr surface(BitmapSurface::Create(48, 24, 24, true, false));
    surface->Fill(255, 255, 255);
    painter->SetSize(24);
    painter->SetFace(kMinchoFace);
    painter->SetColor(0, 0, 0);
    EXPECT_EQ(painter->PaintText(surface.get(), 0, 0, "\x8A\xBF"), 1);
    int inked = 0;
    for (int32_t y = 0; y < 24; ++y) {
        for (int32_t x = 0; x < 48; ++x) inked += surface->GetPixelAddress(x, y)[0] < 128;
        for (int32_t x = 24; x < 48; ++x) EXPECT_EQ(surface->GetPixelAddress(x, y)[0], 255);
    }
    EXPECT_GT(inked, 30);
    EXPECT_EQ(painter->Release(), 0);
}

TEST(PlotraModule, CopiesThroughItsInterface) {
    CreateInterfaceFn create = LoadKept(host::Module::kPlotra, PLOTRA_MODULE_PATH);
    ASSERT_TRUE(create);
    auto* plotra = static_cast<Plotra*>(create(&kPlotraId));
    ASSERT_TRUE(plotra);
    EXPECT_TRUE(plotra->Startup());
    EXPECT_EQ(plotra->Setup(1), 0);
    BitmapPtr source(BitmapSurface::Create(2, 2, 32, true, false));
    source->Fill(1, 2, 3);
    BitmapPtr target(BitmapSurface::Create(3, 3, 24, true, false));
    EXPECT_EQ(plotra->CopyRect(target.get(), 1, 1, source.get(), 0, 0, 2, 2), 4);
    const uint8_t* p = target->GetPixelAddress(2, 2);
    EXPECT_EQ(p[0], 3);
    EXPECT_EQ(p[1], 2);
    EXPECT_EQ(p[2], 1);
    EXPECT_EQ(target->GetPixelAddress(0, 0)[0], 0);
    // Plotra is stateless: one plotter answers every request, and the
    // module keeps a reference of its own on it.
    auto* again = static_cast<Plotra*>(create(&kPlotraId));
    EXPECT_EQ(again, plotra);
    EXPECT_EQ(again->Release(), 2);
    EXPECT_EQ(plotra->Release(), 1);
}

}  // namespace
}  // namespace quenta
