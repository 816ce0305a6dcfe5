// Writes a canvas's colour plane as an 8-bit RGB PNG file, with libpng.
#pragma once

#include <string>

#include "quenta/BitmapSurface.h"

namespace quenta::render {

// "-" writes to standard output. Throws a ToolError when the file cannot
// be written; leaves no partial file.
void WritePng(BitmapSurface& canvas, const std::string& path);

// The same PNG in memory. Throws a ToolError when libpng cannot encode it.
std::string EncodePng(BitmapSurface& canvas);

}  // namespace quenta::render
