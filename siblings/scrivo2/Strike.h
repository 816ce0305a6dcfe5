// A face at one size, as a paint needs it: the cache's scaler and where the
// baseline lies in the cell. The cell is `size` pixels high and spans the
// face's (Windows) ascent and descent.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H

#include <cstdint>

#include "FaceEntry.h"

namespace quenta::scrivo2 {

struct Strike {
    bool valid = false;
    FTC_ScalerRec scaler{};  // the face at a 26.6 size, 72 dpi
    int32_t baseline = 0;    // pixels from the cell's top to the baseline
};

// Fills the face's metrics once, through the cache; false when the face
// cannot be opened or is no scalable font.
bool LoadMetrics(FTC_Manager manager, FaceEntry& face);

// The face at `size` pixels (1 and up); invalid when the face is unusable.
Strike MakeStrike(FTC_Manager manager, FaceEntry& face, int32_t size);

}  // namespace quenta::scrivo2
