// Turns a decoded picture into the surface Quenta draws, choosing its planes:
//  - every pixel opaque: a colour plane only (Quenta copies it);
//  - some transparency: a colour plane and an alpha plane (Quenta blends it);
//  - some transparency, and every pixel that is not fully transparent is pure
//    white: a mask, an alpha plane only (Quenta lays it on in the text colour).
#pragma once

#include "quenta/BitmapSurface.h"
#include "DecodedImage.h"

namespace quenta::pictura {

// One reference for the caller; null when memory runs out.
BitmapSurface* MakePictureSurface(const DecodedImage& image);

}  // namespace quenta::pictura
