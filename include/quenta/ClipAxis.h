// Clipping a rectangle that is copied from a source surface onto a target,
// one axis at a time, shared by everything that hands rectangles to Plotra
// and by Plotra itself.
#pragma once

#include <cstdint>
#include <limits>

namespace quenta {

// One axis: `d` is the start on the target, `s` on the source, `extent` the
// length; the surfaces are `targetExtent` and `sourceExtent` long. In this
// order: a start before the target moves both starts forward, then a start
// before the source does, then the extent is cut at the target's end, then
// at the source's. Computed in 64 bits, so no position near the int32 limits
// wraps. True when something is left, which then lies inside both surfaces;
// false leaves `extent` 0 and the starts at most INT32_MAX.
constexpr bool ClipAxis(int32_t& d, int32_t& s, int32_t& extent, int32_t targetExtent, int32_t sourceExtent) {
    int64_t dd = d, ss = s, ee = extent;
    if (dd < 0) {
        ss -= dd;
        ee += dd;
        dd = 0;
    }
    if (ss < 0) {
        dd -= ss;
        ee += ss;
        ss = 0;
    }
    if (dd + ee > targetExtent) ee = targetExtent - dd;
    if (ss + ee > sourceExtent) ee = sourceExtent - ss;
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    d = static_cast<int32_t>(dd < kMax ? dd : kMax);
    s = static_cast<int32_t>(ss < kMax ? ss : kMax);
    extent = static_cast<int32_t>(ee > 0 ? ee : 0);
    return ee > 0;
}

}  // namespace quenta
