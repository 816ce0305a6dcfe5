// Where drawing puts each run, relative to the point given to Draw: lines
// stack downwards, each line's top below the previous one's height and gap;
// runs follow one another across, each on the bottom edge of its line, and a
// run with a centring width of 0 or more is shifted by half of what the line
// lacks of that width (truncated toward zero). The draw pass and every
// measurement walk the runs through this one function.
#pragma once

#include <cstdint>

#include "layout/LineList.h"
#include "layout/LineMetrics.h"

namespace quenta::core {

// Calls visit(run, lineIndex, x, y) for every run in drawing order, with
// 64-bit offsets: spacings and centring widths may be any int32.
template <typename Visit>
void PlaceRuns(const LineList& lines, Visit&& visit) {
    int64_t lineTop = 0;
    int32_t lineIndex = 0;
    for (const TextLine& line : lines.lines) {
        const LineMetrics metrics = MeasureLine(line);
        int64_t penX = 0;
        for (const TextRun& run : line.runs) {
            int64_t runX = penX;
            if (run.style.centerWidth >= 0) runX += (run.style.centerWidth - metrics.width) / 2;
            visit(run, lineIndex, runX, lineTop + metrics.height - run.height);
            penX += int64_t{run.width} + run.style.charSpacing;
        }
        lineTop += int64_t{metrics.height} + metrics.gap;
        ++lineIndex;
    }
}

}  // namespace quenta::core
