#include "Modules.h"

#include <stdio.h>

static const char* const kNames[] = {"Scrivo2", "Plotra", "Vaultrix", "Pictura", "noexport/Scrivo2"};

bool LoadModules(Modules* modules, unsigned which) {
    for (int i = 0; i < 5; ++i) {
        if (!(which & (1u << i))) continue;
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s/%s.dll", QUENTA_DOUBLES_DIR, kNames[i]);
        modules->siblings[i] = LoadLibraryA(path);
        if (!modules->siblings[i]) {
            fprintf(stderr, "cannot load %s (error %lu)\n", path, GetLastError());
            return false;
        }
    }
    modules->quenta = LoadLibraryA(QUENTA_MODULE_PATH);
    if (!modules->quenta) fprintf(stderr, "cannot load %s (error %lu)\n", QUENTA_MODULE_PATH, GetLastError());
    return modules->quenta != NULL;
}

void UnloadQuenta(Modules* modules) {
    if (modules->quenta) FreeLibrary(modules->quenta);
    modules->quenta = NULL;
}

void UnloadModules(Modules* modules) {
    UnloadQuenta(modules);
    for (int i = 4; i >= 0; --i) {
        if (modules->siblings[i]) FreeLibrary(modules->siblings[i]);
        modules->siblings[i] = NULL;
    }
}

bool NoModuleLeft(void) {
    return !GetModuleHandleA("Quenta") && !GetModuleHandleA("Scrivo2") && !GetModuleHandleA("Plotra") &&
           !GetModuleHandleA("Vaultrix") && !GetModuleHandleA("Pictura");
}

CreateInterfaceFn QuentaCreateInterface(const Modules* modules) {
    if (!modules->quenta) return NULL;
    /* Through void*: FARPROC is a function type of its own. */
    return (CreateInterfaceFn)(void*)GetProcAddress(modules->quenta, "CreateInterface");
}

MessageRenderer* NewRenderer(const Modules* modules) {
    CreateInterfaceFn create = QuentaCreateInterface(modules);
    return create ? (MessageRenderer*)create(&kMessageRendererId) : NULL;
}
