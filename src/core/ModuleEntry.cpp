// The module's one export. Built into the loadable module only; the static
// library that tests link constructs renderers directly.
#include <new>

#include "core/MessageRenderer.h"
#include "quenta/CreateInterface.h"

#if defined(_WIN32)
#include <windows.h>

// Loading and unloading do nothing beyond the process-wide state's own
// construction and destruction.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif

QUENTA_EXPORT void* QUENTA_CDECL CreateInterface(const quenta::InterfaceId* iid) {
    if (!iid || !quenta::SameInterfaceId(*iid, quenta::kMessageRendererId)) return nullptr;
    try {
        return static_cast<quenta::IMessageRenderer*>(new quenta::core::MessageRenderer());
    } catch (...) {
        return nullptr;  // no exception crosses into the host
    }
}
