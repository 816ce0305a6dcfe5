// Pictura on arbitrary bytes: a picture it answers must be what it promises
// (sensible sizes, the planes its kind calls for, rows inside their planes),
// and must draw through Plotra as Quenta draws pictures.
#include <cstddef>
#include <cstdint>

#include "quenta/BitmapSurface.h"
#include "DecodedImage.h"
#include "PicturaObject.h"
#include "Plotter.h"
#include "Require.h"

using namespace quenta;
using namespace quenta::fuzzing;

namespace {

// Reads every byte of every row, so that a row outside its plane is caught.
unsigned ReadPlane(Surface* picture, bool alpha, int32_t rowBytes) {
    unsigned sum = 0;
    for (int32_t y = 0; y < picture->GetHeight(); ++y) {
        const uint8_t* row = alpha ? picture->GetAlphaAddress(0, y) : picture->GetPixelAddress(0, y);
        Require(row != nullptr, "a plane the picture has gives its rows");
        for (int32_t i = 0; i < rowBytes; ++i) sum += row[i];
    }
    return sum;
}

void CheckPicture(Surface* picture) {
    const int32_t width = picture->GetWidth();
    const int32_t height = picture->GetHeight();
    Require(pictura::FitsLimits(static_cast<uint32_t>(width), static_cast<uint32_t>(height)),
            "a decoded picture has a size within the decoder's limits");
    const bool pixels = picture->HasPixels();
    const bool alpha = picture->HasAlpha();
    Require(pixels || alpha, "a picture has a colour plane, an alpha plane or both");
    if (pixels) {
        const int32_t depth = picture->GetDepth();
        Require(depth == 24 || depth == 32, "a picture's colour plane is 24- or 32-bit");
        Require(picture->GetPitch() >= depth / 8 * width, "colour rows hold the picture's width");
        ReadPlane(picture, false, depth / 8 * width);
    }
    if (alpha) {
        Require(picture->GetAlphaPitch() >= width, "alpha rows hold the picture's width");
        ReadPlane(picture, true, width);
    }
}

// As the draw pass does: copy, blend or lay on in a colour, by the planes.
void DrawPicture(Plotra* plotra, Surface* picture, Surface* target, int32_t x, int32_t y) {
    const int32_t w = picture->GetWidth();
    const int32_t h = picture->GetHeight();
    if (picture->HasPixels() && !picture->HasAlpha()) {
        plotra->CopyRect(target, x, y, picture, 0, 0, w, h);
    } else if (picture->HasPixels()) {
        plotra->BlendRect(target, x, y, picture, 0, 0, w, h);
    } else {
        plotra->BlendColorRect(target, x, y, picture, 0, 0, w, h, 255, 128, 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Pictura* const decoder = new pictura::PicturaObject();
    static Plotra* const plotra = plotra::Plotter::Create();
    if (size > static_cast<size_t>(INT32_MAX)) return 0;

    Surface* picture = decoder->DecodeBytes(data, static_cast<int32_t>(size));
    if (!picture) return 0;
    CheckPicture(picture);
    for (int32_t depth : {24, 32}) {
        BitmapPtr target(BitmapSurface::Create(48, 40, depth, true, false));
        Require(target != nullptr, "a small BitmapSurface can be made");
        DrawPicture(plotra, picture, target.get(), 0, 0);
        DrawPicture(plotra, picture, target.get(), -picture->GetWidth() / 2, 30);
    }
    Require(picture->Release() == 0, "a new picture carries one reference");
    return 0;
}
