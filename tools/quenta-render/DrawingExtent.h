// What drawing a text covers, for a canvas fitted to it: the text is laid
// out by the module's own parser and measured by its layout query, so the
// canvas holds everything Quenta draws, however large.
#pragma once

#include <string>

#include "layout/DrawnExtent.h"
#include "markup/PictureSizes.h"

namespace quenta::render {

// The extent of `text` (Shift-JIS with tags) drawn at (0, 0) by a renderer
// that was handed `before` first (its style stays in force, its runs are
// cleared); empty when it paints nothing.
core::Extent MeasureDrawing(const std::string& text, core::PictureSizes& pictures, const std::string& before = "");

}  // namespace quenta::render
