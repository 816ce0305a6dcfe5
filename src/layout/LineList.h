// The laid-out text: lines from top to bottom. Never empty; new runs go to
// the last line only, and lines are discarded only all together.
#pragma once

#include <cstdint>
#include <vector>

#include "layout/TextLine.h"

namespace quenta::core {

class LineList {
public:
    LineList() { ResetLines(); }

    TextLine& LineAt(int32_t index) { return lines[static_cast<size_t>(index)]; }
    // The line keeps its own copy at its end; the argument is consumed.
    static void AppendRun(TextLine& line, TextRun run) { line.runs.push_back(std::move(run)); }
    // Starts a new empty line (the caller fills an empty current line first).
    void AppendLine() {
        lines.emplace_back();
        ++currentLine;
    }
    void ResetLines() {
        lines.clear();
        lines.emplace_back();
        currentLine = 0;
    }

    std::vector<TextLine> lines;
    int32_t currentLine = 0;
};

}  // namespace quenta::core
