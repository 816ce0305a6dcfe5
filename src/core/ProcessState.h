// The module's process-wide state, shared by every renderer: the picture
// cache, the blend table, and the Plotra interface the last binding
// published. Built at load, torn down at unload (ProcessState.cpp).
#pragma once

#include "core/PictureCache.h"
#include "quenta/Plotra.h"
#include "render/BlendTable.h"

namespace quenta::core {

extern PictureCache pictureCache;
// Rebuilt by every Plotra binding, freed at module unload.
extern BlendTable blendTable;
// Set by every Plotra binding that obtains the interface, cleared by the end
// of any renderer; never released.
extern Plotra* sharedPlotra;

}  // namespace quenta::core
