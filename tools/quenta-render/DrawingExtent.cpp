#include "DrawingExtent.h"

#include <algorithm>
#include <string>

#include "quenta/BitmapSurface.h"
#include "ToolError.h"

namespace quenta::render {

namespace {

constexpr int32_t kFirstSide = 1024;
constexpr int32_t kLastSide = 8192;

// Widens `box` by the pixels of `canvas` that differ from the fill value.
void CoverChanged(BitmapSurface& canvas, uint8_t fill, std::optional<Box>& box) {
    for (int32_t y = 0; y < canvas.GetHeight(); ++y) {
        const uint8_t* row = canvas.GetPixelAddress(0, y);
        for (int32_t x = 0; x < canvas.GetWidth(); ++x) {
            const uint8_t* p = row + x * 3;
            if (p[0] == fill && p[1] == fill && p[2] == fill) continue;
            if (!box) box = Box{x, y, x + 1, y + 1};
            box->left = std::min(box->left, x);
            box->top = std::min(box->top, y);
            box->right = std::max(box->right, x + 1);
            box->bottom = std::max(box->bottom, y + 1);
        }
    }
}

}  // namespace

std::optional<Box> MeasureDrawing(IMessageRenderer& renderer) {
    for (int32_t side = kFirstSide; side <= kLastSide; side *= 2) {
        BitmapPtr scratch(BitmapSurface::Create(side, side, 24, true, false));
        if (!scratch) throw ToolError("out of memory for a " + std::to_string(side) + "-pixel scratch canvas");
        // Room on the left and top for centred lines wider than their width.
        const int32_t origin = side / 4;
        // Drawn over black and over white, every visible pixel differs from
        // at least one of the two backgrounds, whatever its colour.
        std::optional<Box> box;
        for (const uint8_t fill : {uint8_t{0}, uint8_t{255}}) {
            scratch->Fill(fill, fill, fill);
            renderer.Draw(scratch.get(), origin, origin);
            CoverChanged(*scratch, fill, box);
        }
        if (!box) return std::nullopt;
        const bool clipped = box->left == 0 || box->top == 0 || box->right == side || box->bottom == side;
        if (!clipped) return Box{box->left - origin, box->top - origin, box->right - origin, box->bottom - origin};
    }
    throw ToolError("the text does not fit on a " + std::to_string(kLastSide) + "x" +
                    std::to_string(kLastSide) + " canvas; give --size WxH to draw part of it");
}

}  // namespace quenta::render
