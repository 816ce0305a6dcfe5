// The window drawn over a picture: ink outside it turns red and is
// counted, ink inside is untouched, the frame lies just outside it.
#include "WindowOverlay.h"

#include <gtest/gtest.h>

namespace quenta::script {
namespace {

void Put(BitmapSurface& canvas, int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r) {
    uint8_t* pixel = canvas.GetPixelAddress(x, y);
    pixel[0] = b;
    pixel[1] = g;
    pixel[2] = r;
}

TEST(WindowOverlay, MarksInkOutsideTheWindowAndLeavesTheInsideAlone) {
    BitmapPtr canvas(BitmapSurface::Create(20, 12, 24, true, false));
    BitmapPtr backdrop(BitmapSurface::Create(20, 12, 24, true, false));
    canvas->Fill(100, 100, 100);
    backdrop->Fill(100, 100, 100);
    Put(*canvas, 5, 5, 255, 255, 255);   // inside
    Put(*canvas, 14, 5, 255, 255, 255);  // just outside, right of the window
    Put(*canvas, 5, 10, 255, 255, 255);  // below the window, on its frame row
    const int64_t overflow = MarkWindow(*canvas, *backdrop, render::Point{4, 2}, render::CanvasSize{10, 8});
    EXPECT_EQ(overflow, 2);
    const uint8_t* inside = canvas->GetPixelAddress(5, 5);
    EXPECT_EQ(inside[0], 255);
    EXPECT_EQ(inside[2], 255);
    for (auto [x, y] : {std::pair{14, 5}, std::pair{5, 10}}) {
        const uint8_t* red = canvas->GetPixelAddress(x, y);
        EXPECT_GT(red[2], 200) << x << "," << y;
        EXPECT_LT(red[1], 100) << x << "," << y;
    }
    const uint8_t* untouched = canvas->GetPixelAddress(6, 6);
    EXPECT_EQ(untouched[1], 100);
    const uint8_t* frame = canvas->GetPixelAddress(3, 4);  // left edge, one pixel outside
    EXPECT_EQ(frame[1], 215);
    const uint8_t* dimmed = canvas->GetPixelAddress(0, 0);
    EXPECT_EQ(dimmed[1], 50);
}

}  // namespace
}  // namespace quenta::script
