// Everything a host needs to load Quenta and draw with it: the module set,
// font files, a ready-made Surface and the interfaces they hand out.
//
// The rules a host keeps are stated once each: ownership, reference
// counts, copying, borrowing, threads and calling conventions in
// quenta/MessageRenderer.h; surface layout and accepted depths in
// quenta/Surface.h; what the module set keeps loaded in quenta/ModuleSet.h;
// what a failed Result holds in quenta/HostResult.h. The kit throws
// nothing, and is used from the one thread the modules are.
#pragma once

#include "quenta/BitmapSurface.h"
#include "quenta/FaceNames.h"
#include "quenta/FontFiles.h"
#include "quenta/HostResult.h"
#include "quenta/MessageRenderer.h"
#include "quenta/ModuleSet.h"
#include "quenta/Pictura.h"
#include "quenta/Ref.h"
#include "quenta/TextPainter.h"
#include "quenta/Vaultrix.h"
