/* Loads the modules of a scenario as a host does, siblings first and Quenta
 * last, and unloads them, Quenta first, so that the next scenario starts
 * from fresh process-wide state. */
#ifndef QUENTA_WIN32_MODULES_H
#define QUENTA_WIN32_MODULES_H

#include <stdbool.h>
#include <windows.h>

#include "Interfaces.h"

enum Sibling {
    kScrivo2 = 1 << 0,
    kPlotra = 1 << 1,
    kVaultrix = 1 << 2,
    kPictura = 1 << 3,
    kAllSiblings = kScrivo2 | kPlotra | kVaultrix | kPictura,
    kScrivo2WithoutExport = 1 << 4, /* a Scrivo2.dll that lacks CreateInterface */
};

typedef struct Modules {
    HMODULE siblings[5]; /* in the order of enum Sibling */
    HMODULE quenta;
} Modules;

/* Loads the siblings named in `which`, then Quenta. False when any fails. */
bool LoadModules(Modules* modules, unsigned which);
/* Unloads Quenta, if loaded. */
void UnloadQuenta(Modules* modules);
/* Unloads Quenta, then the siblings in the reverse order of loading. */
void UnloadModules(Modules* modules);
/* True when no module of the set is left in the process. */
bool NoModuleLeft(void);

CreateInterfaceFn QuentaCreateInterface(const Modules* modules);
/* A new renderer from Quenta's CreateInterface, or null. */
MessageRenderer* NewRenderer(const Modules* modules);

#endif
