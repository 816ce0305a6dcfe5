// One line: its runs in drawing order, left to right.
#pragma once

#include <vector>

#include "layout/TextRun.h"

namespace quenta::core {

struct TextLine {
    std::vector<TextRun> runs;
};

}  // namespace quenta::core
