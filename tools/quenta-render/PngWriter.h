// Writes a canvas's colour plane (24- or 32-bit) as an 8-bit RGB PNG, with
// libpng, to a file or to memory.
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
