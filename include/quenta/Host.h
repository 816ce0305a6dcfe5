// Everything a host needs to load Quenta and draw with it: the module set,
// font files, a ready-made Surface and the interfaces they hand out.
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
