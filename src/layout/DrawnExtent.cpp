#include "layout/DrawnExtent.h"

#include <algorithm>

#include "layout/LineMetrics.h"
#include "layout/RunPlacement.h"

namespace quenta::core {

void Extent::Include(const Extent& other) {
    if (other.IsEmpty()) return;
    if (IsEmpty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

Extent RunExtent(const TextRun& run, int64_t x, int64_t y) {
    if (run.width <= 0 || run.height <= 0) return {};
    if (run.IsPicture()) return {x, y, x + run.width, y + run.height};
    // Blanks (the filler of an empty line among them) paint nothing.
    const char* bytes = run.text.data ? run.text.data : "";
    while (*bytes == ' ') ++bytes;
    if (*bytes == '\0') return {};
    // Offsets from the run's corner: the face at +1 (+2 more when bold), the
    // edge one pixel around the face (one more to the right when bold), the
    // shadow at +3 (+4 when bold).
    const StyleState& s = run.style;
    const int64_t bold = s.bold ? 1 : 0;
    int64_t rightMargin = 1 + bold;
    int64_t bottomMargin = 1;
    if (s.edge) {
        rightMargin = std::max(rightMargin, 2 + bold);
        bottomMargin = std::max<int64_t>(bottomMargin, 2);
    }
    if (s.shadow) {
        rightMargin = std::max(rightMargin, 3 + bold);
        bottomMargin = std::max<int64_t>(bottomMargin, 3);
    }
    const int64_t inset = s.edge ? 0 : 1;
    return {x + inset, y + inset, x + run.width + rightMargin, y + run.height + bottomMargin};
}

Extent MeasureExtent(const LineList& lines) {
    Extent extent;
    PlaceRuns(lines, [&](const TextRun& run, int32_t, int64_t x, int64_t y) { extent.Include(RunExtent(run, x, y)); });
    return extent;
}

std::vector<LineBox> MeasureLines(const LineList& lines) {
    std::vector<LineBox> boxes;
    boxes.reserve(lines.lines.size());
    int64_t top = 0;
    for (const TextLine& line : lines.lines) {
        const LineMetrics m = MeasureLine(line);
        boxes.push_back({top, m.width, m.height, m.gap});
        top += int64_t{m.height} + m.gap;
    }
    return boxes;
}

}  // namespace quenta::core
