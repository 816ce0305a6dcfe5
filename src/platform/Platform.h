// What the module takes from the operating system: finding loaded sibling
// modules, locked global-memory blocks, and the message box. One file per
// system implements it (Linux.cpp, Windows.cpp).
#pragma once

#include <cstdint>

namespace quenta::platform {

using ModuleHandle = void*;
using GlobalHandle = void*;

// A module already loaded in the process whose file name, without folders,
// is `name` plus the system's library extension. Never loads anything and
// takes no reference. Null when no such module is loaded.
ModuleHandle FindLoadedModule(const char* name);
// An export of a module found above, or null.
void* FindExport(ModuleHandle module, const char* exportName);

// The global-memory calls, as the glyph buffer's storage uses them: a movable
// block that stays at one address while it is locked.
GlobalHandle GlobalAllocMoveable(int32_t bytes);
void* GlobalLockBlock(GlobalHandle handle);
// True while the block is still locked after this unlock.
bool GlobalUnlockBlock(GlobalHandle handle);
GlobalHandle GlobalReAllocMoveable(GlobalHandle handle, int32_t bytes);
// Null on success, the handle itself on failure.
GlobalHandle GlobalFreeBlock(GlobalHandle handle);

// Shows Shift-JIS `text` to the user under `caption`; returns once it is read.
void ShowMessageBox(const char* text, const char* caption);

}  // namespace quenta::platform
