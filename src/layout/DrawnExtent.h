// The area that drawing a layout may cover, relative to the point given to
// Draw: every text run's cell with its layers (shadow, edge, bold, face one
// pixel in) and every picture at its size. Text is painted within its cells,
// so nothing drawn lies outside this box.
#pragma once

#include <cstdint>
#include <vector>

#include "layout/LineList.h"

namespace quenta::core {

struct Extent {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;   // exclusive
    int64_t bottom = 0;  // exclusive

    bool IsEmpty() const { return left >= right || top >= bottom; }
    int64_t Width() const { return right - left; }
    int64_t Height() const { return bottom - top; }
    // The smallest box holding both; an empty box adds nothing.
    void Include(const Extent& other);
};

// One line as measured for drawing and where it lies.
struct LineBox {
    int64_t top = 0;
    int64_t width = 0;   // as centring counts it: widths plus spacing but after the last run
    int32_t height = 0;
    int32_t gap = 0;
};

// The cells a run's layers may paint, when drawn at (x, y); empty for a run
// that paints nothing (no bytes but blanks, or no width or height).
Extent RunExtent(const TextRun& run, int64_t x, int64_t y);

// The whole layout's extent; empty when drawing paints nothing.
Extent MeasureExtent(const LineList& lines);

// Every line's box, top to bottom.
std::vector<LineBox> MeasureLines(const LineList& lines);

}  // namespace quenta::core
