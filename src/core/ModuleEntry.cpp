// The module's one export. Built into the loadable module only; the static
// library that tests link constructs renderers directly.
#include "core/MessageRenderer.h"
#include "quenta/ModuleExport.h"

#if defined(_WIN32)
#include <windows.h>

// Loading and unloading do nothing beyond the process-wide state's own
// construction and destruction.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    return quenta::CreateInterfaceFor<quenta::IMessageRenderer>(iid, quenta::kMessageRendererId,
                                                                 [] { return new quenta::core::MessageRenderer(); });
}
