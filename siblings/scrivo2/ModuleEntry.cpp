// Scrivo2.so's one export: a new text painter for kScrivo2Id.
#include <new>

#include "Painter.h"
#include "quenta/CreateInterface.h"

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    if (!iid || !quenta::SameInterfaceId(*iid, quenta::kScrivo2Id)) return nullptr;
    try {
        return static_cast<quenta::TextPainter*>(quenta::scrivo2::Painter::Create());
    } catch (...) {
        return nullptr;  // no exception crosses into the host
    }
}
