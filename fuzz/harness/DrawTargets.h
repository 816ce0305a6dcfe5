// The surfaces and positions a fuzz input draws at: both colour depths,
// positions that clip on every side or lie at the int32 limits, a 1x1 target
// and one with an alpha plane only. Every target is a BitmapSurface with an
// alpha plane, which drawing never writes; nor does it write the fourth byte
// of a 32-bit pixel. Both are checked after each draw.
#pragma once

#include <cstdint>

#include "quenta/MessageRenderer.h"

namespace quenta::fuzzing {

// Draws `renderer` on a fresh target picked by the low three bits of
// `choice`, then checks what the draw must have left alone.
void DrawOnTarget(IMessageRenderer* renderer, uint8_t choice);

}  // namespace quenta::fuzzing
