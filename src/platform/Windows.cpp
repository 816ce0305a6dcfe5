// Windows: siblings are DLLs the host has loaded, global memory is the
// system's movable global memory, and the message box is a real one.
#include <windows.h>

#include "platform/Platform.h"

namespace quenta::platform {

ModuleHandle FindLoadedModule(const char* name) {
    if (!name || !*name) return nullptr;
    // The name carries no extension: the system adds ".dll" itself. Takes no
    // reference, so the host's load stays the only one.
    return reinterpret_cast<ModuleHandle>(GetModuleHandleA(name));
}

void* FindExport(ModuleHandle module, const char* exportName) {
    if (!module) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), exportName));
}

GlobalHandle GlobalAllocMoveable(int32_t bytes) {
    if (bytes <= 0) return nullptr;  // as on every system: no empty blocks
    return GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes));
}

void* GlobalLockBlock(GlobalHandle handle) {
    if (!handle) return nullptr;
    return GlobalLock(handle);
}

bool GlobalUnlockBlock(GlobalHandle handle) {
    if (!handle) return false;
    // Nonzero means other locks remain; zero means unlocked (or never locked).
    return GlobalUnlock(handle) != FALSE;
}

GlobalHandle GlobalReAllocMoveable(GlobalHandle handle, int32_t bytes) {
    if (!handle || bytes <= 0) return nullptr;
    return GlobalReAlloc(handle, static_cast<SIZE_T>(bytes), GMEM_MOVEABLE);
}

GlobalHandle GlobalFreeBlock(GlobalHandle handle) {
    if (!handle) return nullptr;
    return GlobalFree(handle);
}

void ShowMessageBox(const char* text, const char* caption) {
    // No owner: the module has no window of its own, so the box stays on top
    // and comes forward rather than hiding behind the host's window.
    MessageBoxA(nullptr, text ? text : "", caption ? caption : "",
                MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace quenta::platform
