// What a line measures when drawn: its height (the tallest run), the gap
// below it (the largest line spacing, never below 0) and its width (every
// run's width plus the character spacing of each run but the last), the
// width that centring works from.
#pragma once

#include <algorithm>
#include <cstdint>

#include "layout/TextLine.h"

namespace quenta::core {

struct LineMetrics {
    int32_t height = 0;
    int32_t gap = 0;
    int64_t width = 0;  // int32 spacings summed over many runs may pass the int32 range
};

inline LineMetrics MeasureLine(const TextLine& line) {
    LineMetrics m;
    for (const TextRun& run : line.runs) {
        m.height = std::max(m.height, run.height);
        m.gap = std::max(m.gap, run.style.lineSpacing);
    }
    for (size_t i = 0; i < line.runs.size(); ++i) {
        m.width += line.runs[i].width;
        if (i + 1 < line.runs.size()) m.width += line.runs[i].style.charSpacing;
    }
    return m;
}

}  // namespace quenta::core
