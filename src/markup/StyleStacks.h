// The nine saved-value stacks beside the current style: each tag with a
// value saves the value it replaces, its closing tag brings it back.
#pragma once

#include <cstdint>
#include <vector>

#include "markup/ColorPair.h"

namespace quenta::core {

struct StyleStacks {
    std::vector<int32_t> size;
    std::vector<ColorPair> color;
    std::vector<ColorPair> edgeColor;
    std::vector<ColorPair> shadowColor;
    std::vector<int32_t> font;
    std::vector<int32_t> charSpacing;
    std::vector<int32_t> lineSpacing;
    std::vector<int32_t> centerWidth;
    std::vector<int32_t> wValue;

    void Clear() {
        size.clear();
        color.clear();
        edgeColor.clear();
        shadowColor.clear();
        font.clear();
        charSpacing.clear();
        lineSpacing.clear();
        centerWidth.clear();
        wValue.clear();
    }
};

}  // namespace quenta::core
