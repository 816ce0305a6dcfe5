// The canvas before the text: a colour, and optionally a picture laid on at
// its top-left corner.
#pragma once

#include "quenta/BitmapSurface.h"
#include "Options.h"

namespace quenta::render {

// A picture with transparency is blended over the colour; a mask is laid on
// in white.
void PaintBackground(BitmapSurface& canvas, Rgb color, Surface* picture);

}  // namespace quenta::render
