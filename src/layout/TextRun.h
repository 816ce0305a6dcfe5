// One character of text (or one inline picture) with its measured size and a
// snapshot of the style it was made in.
#pragma once

#include <cstdint>

#include "layout/StyleState.h"
#include "layout/TextString.h"

namespace quenta::core {

struct TextRun {
    TextString text;            // Shift-JIS bytes; empty for a picture
    int32_t width = 0;          // horizontal advance
    int32_t height = 0;
    int32_t pictureNumber = -1; // -1 for text
    StyleState style;

    bool IsPicture() const { return pictureNumber != -1; }
};

}  // namespace quenta::core
