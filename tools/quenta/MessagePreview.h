// What the page shows for one message: the picture as the game draws it, the
// window's frame and what spills out of it, and the checker's findings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Finding.h"

namespace quenta::preview {

struct Box {
    int64_t x = 0;
    int64_t y = 0;
    int64_t width = 0;
    int64_t height = 0;
};

struct PlacedFinding {
    script::Finding finding;
    int32_t at = 0;  // in the editor's text, in UTF-16 code units
};

struct MessagePreview {
    std::string png;  // empty when nothing could be drawn
    int32_t width = 0;
    int32_t height = 0;
    std::optional<Box> frame;  // the window's text area on the picture
    std::vector<Box> overflow;  // on the picture, outside the frame
    std::vector<Box> lines;     // each line's box on the picture, as the checker measures it
    std::vector<PlacedFinding> findings;
    std::string error;  // why nothing was drawn
};

}  // namespace quenta::preview
