// Clipped rectangle transfers for the draw pass: pictures go through Plotra,
// gradient text is blended here through the blend table.
#pragma once

#include <cstdint>

#include "quenta/Plotra.h"
#include "quenta/Surface.h"

namespace quenta::core {

// Clips a source rectangle and its target position against both surfaces,
// adjusting the six numbers in place; true when something is left.
bool ClipRect(Surface* target, int32_t& dx, int32_t& dy, Surface* source, int32_t& sx, int32_t& sy,
              int32_t& w, int32_t& h);

// Pictures, through `plotra`; nothing is drawn when it is null.
void CopyClipped(Plotra* plotra, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                 int32_t w, int32_t h);
void BlendClipped(Plotra* plotra, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                  int32_t w, int32_t h);
void BlendColorClipped(Plotra* plotra, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                       int32_t sy, int32_t w, int32_t h, int32_t r, int32_t g, int32_t b);

// A vertical gradient from (r1, g1, b1) on the first row to (r2, g2, b2)
// toward the last, laid through the source's alpha plane onto a 24- or
// 32-bit target, through the blend table's rows `table`. Nothing is drawn on
// other targets or without a table.
void GradientBlendClipped(uint8_t* const* table, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                          int32_t sy, int32_t w, int32_t h, int32_t r1, int32_t g1, int32_t b1,
                          int32_t r2, int32_t g2, int32_t b2);
void GradientBlend(uint8_t* const* table, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                   int32_t w, int32_t h, int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2,
                   int32_t b2);

}  // namespace quenta::core
