// Plotra.so's one export: the process's rectangle plotter for kPlotraId.
#include "Plotter.h"
#include "quenta/CreateInterface.h"

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    if (!iid || !quenta::SameInterfaceId(*iid, quenta::kPlotraId)) return nullptr;
    return static_cast<quenta::Plotra*>(quenta::plotra::Plotter::Create());
}
