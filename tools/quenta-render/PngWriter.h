// Writes a canvas's colour plane (24- or 32-bit) as an 8-bit RGB PNG file,
// with libpng.
#pragma once

#include <string>

#include "quenta/BitmapSurface.h"

namespace quenta::render {

// "-" writes to standard output. Throws a ToolError when the file cannot
// be written; leaves no partial file.
void WritePng(BitmapSurface& canvas, const std::string& path);

}  // namespace quenta::render
