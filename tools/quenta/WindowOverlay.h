// The message window drawn over a picture for review: a frame just outside
// the window's text area, the picture outside it dimmed, and every pixel
// the text painted outside it turned red, so that overflow stands out.
#pragma once

#include "quenta/BitmapSurface.h"
#include "Options.h"

namespace quenta::script {

// `backdrop` is the canvas as it was before the text, of the same size;
// the window's text area has its top-left corner at `at`. Returns the
// number of pixels the text painted outside the window.
int64_t MarkWindow(BitmapSurface& canvas, BitmapSurface& backdrop, render::Point at, render::CanvasSize window);

}  // namespace quenta::script
