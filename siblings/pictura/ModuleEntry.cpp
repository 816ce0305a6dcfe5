// Pictura's one export.
#include "PicturaObject.h"
#include "quenta/ModuleExport.h"

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    return quenta::CreateInterfaceFor<quenta::Pictura>(iid, quenta::kPicturaId,
                                                       [] { return new quenta::pictura::PicturaObject(); });
}
