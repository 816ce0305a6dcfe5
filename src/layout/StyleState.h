// The text attributes in force: carried by the renderer as its current style
// and copied whole into every run. The block's order and widths are fixed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quenta::core {

struct RgbColor {
    int32_t r;
    int32_t g;
    int32_t b;

    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

struct StyleState {
    uint8_t edge = 0;          // outline in edgeColor
    uint8_t bold = 0;          // face drawn twice, one pixel apart
    uint8_t reservedFlag = 0;  // carried, never read
    uint8_t shadow = 0;        // drop shadow in shadowColor
    int32_t size = 24;         // character size in pixels; the run height
    int32_t charSpacing = 0;   // extra space after each run
    int32_t lineSpacing = 0;   // extra space below the line
    RgbColor color{255, 255, 255};          // text colour; top of a gradient
    RgbColor edgeColor{0, 0, 0};
    RgbColor shadowColor{128, 128, 128};
    RgbColor gradientColor{255, 255, 255};  // bottom of a gradient
    int32_t font = 0;          // 0 Gothic, 1 Mincho, anything else neither
    int32_t centerWidth = -1;  // centring width; negative for none
    int32_t wValue = 0;        // carried, never read

    void Reset() { *this = StyleState{}; }
};

static_assert(sizeof(StyleState) == 4 + 18 * 4, "four flag bytes, then eighteen int32");
static_assert(offsetof(StyleState, size) == 4);
static_assert(offsetof(StyleState, wValue) == 4 + 17 * 4);

}  // namespace quenta::core
