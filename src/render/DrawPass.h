// Draws a layout onto a target: lines stacked from y down, runs from x
// across, every run on the bottom edge of its line, each run's layers
// (shadow, edge, face) finished before the next run starts.
#pragma once

#include <cstdint>

#include "layout/LineList.h"
#include "quenta/Plotra.h"
#include "quenta/Surface.h"
#include "quenta/TextPainter.h"
#include "render/PictureSource.h"

namespace quenta::core {

// What drawing goes through. Only `painter` is required; without Plotra no
// picture is drawn, and without the blend table or a coverage buffer with
// an alpha plane no gradient face is drawn.
struct DrawTools {
    TextPainter* painter = nullptr;
    Plotra* plotra = nullptr;
    uint8_t* const* blendTable = nullptr;
    Surface* coverage = nullptr;  // scratch for gradient text
    PictureSource* pictures = nullptr;
};

void DrawLines(const LineList& lines, Surface* target, int32_t x, int32_t y, const DrawTools& tools);

}  // namespace quenta::core
