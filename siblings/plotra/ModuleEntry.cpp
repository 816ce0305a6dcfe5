// Plotra.so's one export: the process's rectangle plotter for kPlotraId.
#include "Plotter.h"
#include "quenta/ModuleExport.h"

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    return quenta::CreateInterfaceFor<quenta::Plotra>(iid, quenta::kPlotraId,
                                                      [] { return quenta::plotra::Plotter::Create(); });
}
