#include "Strike.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace quenta::scrivo2 {

bool LoadMetrics(FTC_Manager manager, FaceEntry& entry) {
    if (entry.metricsKnown) return entry.usable;
    entry.metricsKnown = true;
    entry.usable = false;
    FT_Face face = nullptr;  // the cache's: valid until its next look-up
    if (FTC_Manager_LookupFace(manager, &entry, &face) != 0 || !face) return false;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return false;
    entry.unitsPerEm = face->units_per_EM;
    // The classic layout's cell spans the Windows ascent and descent.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        entry.ascent = os2->usWinAscent;
        entry.descent = os2->usWinDescent;
    } else {
        entry.ascent = face->ascender;
        entry.descent = -face->descender;
    }
    if (entry.ascent <= 0 || entry.ascent + entry.descent <= 0) {
        entry.ascent = entry.unitsPerEm * 7 / 8;
        entry.descent = entry.unitsPerEm - entry.ascent;
    }
    entry.usable = true;
    return true;
}

Strike MakeStrike(FTC_Manager manager, FaceEntry& face, int32_t pixels) {
    Strike strike;
    if (pixels <= 0 || !LoadMetrics(manager, face)) return strike;
    // The ascent plus descent fill the cell's height.
    const int64_t total = face.ascent + face.descent;
    const int64_t size = pixels;
    // 26.6 sizes at 72 dpi: fractional pixel sizes.
    const int64_t charSize = std::max<int64_t>(1, size * 64 * face.unitsPerEm / total);
    strike.scaler.face_id = &face;
    strike.scaler.width = static_cast<FT_UInt>(charSize);
    strike.scaler.height = static_cast<FT_UInt>(charSize);
    strike.scaler.pixel = 0;
    strike.scaler.x_res = 72;
    strike.scaler.y_res = 72;
    strike.baseline = static_cast<int32_t>((2 * size * face.ascent + total) / (2 * total));
    strike.valid = true;
    return strike;
}

}  // namespace quenta::scrivo2
