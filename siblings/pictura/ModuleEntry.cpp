// Pictura's one export.
#include <new>

#include "PicturaObject.h"
#include "quenta/CreateInterface.h"

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    if (!iid || !quenta::SameInterfaceId(*iid, quenta::kPicturaId)) return nullptr;
    return static_cast<quenta::Pictura*>(new (std::nothrow) quenta::pictura::PicturaObject());
}
