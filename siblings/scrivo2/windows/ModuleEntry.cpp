// Scrivo2.dll's one export: a new GDI text painter for kScrivo2Id.
#include "GdiPainter.h"
#include "quenta/ModuleExport.h"

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    return quenta::CreateInterfaceFor<quenta::TextPainter>(iid, quenta::kScrivo2Id,
                                                           [] { return quenta::scrivo2::GdiPainter::Create(); });
}
