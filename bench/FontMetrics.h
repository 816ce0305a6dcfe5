// How large PangoCairo's em must be for its glyphs to come out as large as
// Quenta's: Scrivo2 fits a face's Windows ascent and descent into the cell,
// so the em of "size 24" is a little under 24 pixels.
#pragma once

#include <string>

namespace quenta::bench {

// The em, in pixels, of `fontFile` drawn in a cell `cellSize` pixels high;
// throws std::runtime_error when FreeType cannot read the face.
double EmPixelsForCell(const std::string& fontFile, int cellSize);

}  // namespace quenta::bench
