// The body of every module's CreateInterface export: answers a new object
// for the module's own interface ID and null for any other ID, and null when
// making the object throws (running out of memory included) or yields null.
//
//   QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
//       return quenta::CreateInterfaceFor<quenta::Pictura>(iid, quenta::kPicturaId,
//                                                          [] { return new PicturaObject(); });
//   }
#pragma once

#include "quenta/CreateInterface.h"
#include "quenta/InterfaceId.h"
#include "quenta/SlotGuard.h"

namespace quenta {

// `make` is called only for `answered`; what it returns carries the one
// reference that goes to the caller. The pointer handed out is the
// `Interface` part of the object, as hosts use it.
template <typename Interface, typename Make>
void* CreateInterfaceFor(const InterfaceId* iid, const InterfaceId& answered, Make&& make) noexcept {
    if (!iid || !SameInterfaceId(*iid, answered)) return nullptr;
    return Guarded([&]() -> void* { return static_cast<Interface*>(make()); });
}

}  // namespace quenta
