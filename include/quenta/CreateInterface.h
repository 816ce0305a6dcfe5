// The one export of every module: hands out an interface for an ID, or null.
#pragma once

#include "quenta/Export.h"
#include "quenta/InterfaceId.h"

namespace quenta {

using CreateInterfaceFn = void*(QUENTA_CDECL*)(const InterfaceId* iid);

}  // namespace quenta

// Each module defines it; hosts look it up by name ("CreateInterface").
QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid);
