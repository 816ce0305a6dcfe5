// What a renderer's drawing covers, for a canvas fitted to the text.
#pragma once

#include <cstdint>
#include <optional>

#include "quenta/MessageRenderer.h"

namespace quenta::render {

struct Box {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;   // one past the last column
    int32_t bottom = 0;  // one past the last row

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

// The box of the pixels that drawing at (0, 0) changes, found by drawing on
// scratch canvases; nothing when the text changes no pixel. Throws a
// ToolError when the drawing does not fit the largest scratch canvas.
std::optional<Box> MeasureDrawing(IMessageRenderer& renderer);

}  // namespace quenta::render
