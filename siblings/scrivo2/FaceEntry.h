// One font file and face index, as the glyph cache knows it: its face ID,
// which the cache opens on demand, and the metrics that size its cells.
#pragma once

#include <cstdint>
#include <string>

namespace quenta::scrivo2 {

struct FaceEntry {
    std::string path;
    int index = 0;
    bool metricsKnown = false;
    bool usable = false;
    int64_t unitsPerEm = 0;
    int64_t ascent = 0;   // font units above the baseline
    int64_t descent = 0;  // font units below it
};

}  // namespace quenta::scrivo2
