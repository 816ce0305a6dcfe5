// Pointing Quenta's two faces at font files, through the renderer's text
// painter (Scrivo2's SetFontFile). Without it Scrivo2 picks the files for
// the face names itself, from the fonts the system has.
#pragma once

#include <cstdint>
#include <string>

#include "quenta/HostResult.h"
#include "quenta/MessageRenderer.h"

namespace quenta::host {

// The faces <F0> and <F1> select.
enum class Face : int32_t { kGothic = 0, kMincho = 1 };

// The face's Shift-JIS name, as in quenta/FaceNames.h.
const char* FaceName(Face face);

// The renderer must have bound Scrivo2 (its first SetText does so; a
// ModuleSet's NewRenderer hands out renderers that have). Fails naming
// Quenta when it has not, Scrivo2 when the file cannot be used.
Result<void> SetFontFile(IMessageRenderer& renderer, Face face, const std::string& path);

}  // namespace quenta::host
