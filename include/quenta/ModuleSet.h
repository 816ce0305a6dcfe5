// The five modules as a host loads them: the four siblings first, then
// Quenta, which does not load anything itself but looks for the siblings
// among the modules already in the process, by file name.
//
// Lifetime. A set keeps what it loaded after it goes: modules stay until
// Unload or UnloadAll, or until the process ends. That is what a host
// wants, since a module's clean-up at exit (Quenta's picture cache giving
// its pictures back to Pictura) must find the other modules' code still
// there; and it leaves the sanitizers able to name whatever a module keeps
// until exit.
//
// What is in use stays: unloading is deferred, never refused and never
// unsafe.
//   - A renderer from NewRenderer holds every module the set had loaded
//     when it was made, and gives them back (Quenta first) after its last
//     Release. Unload and UnloadAll with such renderers alive give back the
//     set's hold at once, IsLoaded answers false, and the modules leave
//     the process when the last of those renderers goes.
//   - Quenta keeps what Vaultrix and Pictura handed out until it is
//     unloaded, so a sibling unloaded while the set still holds Quenta
//     stays in the process until Quenta is unloaded too.
//   Objects from NewInterface and Create hold nothing: release them before
//   unloading the module that made them.
//
// Threads: a set, and every module and renderer it hands out, is used from
// one thread (see quenta/MessageRenderer.h).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "quenta/CreateInterface.h"
#include "quenta/HostResult.h"
#include "quenta/InterfaceId.h"
#include "quenta/MessageRenderer.h"
#include "quenta/Ref.h"

namespace quenta::host {

// In load order.
enum class Module : int32_t { kScrivo2, kPlotra, kVaultrix, kPictura, kQuenta };
inline constexpr int32_t kModuleCount = 5;

// "Scrivo2", ..., "Quenta": the name Quenta looks the module up by.
const char* ModuleName(Module module);
// The file a folder holds it in: "Scrivo2.so" (Linux), "Scrivo2.dll" (Windows).
std::string ModuleFileName(Module module);

class ModuleSet {
public:
    ModuleSet() = default;
    ModuleSet(const ModuleSet&) = delete;
    ModuleSet& operator=(const ModuleSet&) = delete;
    ~ModuleSet() = default;  // unloads nothing (see above)

    // Loads each of `modules` that this set has not loaded yet from its file
    // in `folder` (empty: the working folder), in load order whatever the
    // order of the list, and stops at the first that fails.
    Result<void> Load(const std::string& folder,
                      std::initializer_list<Module> modules = {Module::kScrivo2, Module::kPlotra, Module::kVaultrix,
                                                               Module::kPictura, Module::kQuenta});
    // Loads `module` from the file at `path`, which may lie anywhere and be
    // any build of it (a test double, say); the file's name must still be
    // the module's for Quenta to find a sibling.
    Result<void> LoadFile(Module module, const std::string& path);

    // Whether the set holds the module: false once Unload gave it back,
    // even while a renderer or Quenta keeps it in the process.
    bool IsLoaded(Module module) const;
    // The module's export; null when the module is not loaded or lacks it.
    CreateInterfaceFn Entry(Module module) const;
    // What the module's CreateInterface hands out for `id`, with the one
    // reference that is the caller's. It does not hold the module (above).
    Result<void*> NewInterface(Module module, const InterfaceId& id) const;
    template <typename Interface>
    Result<Ref<Interface>> Create(Module module, const InterfaceId& id) const {
        Result<void*> made = NewInterface(module, id);
        if (!made) return made.Error();
        return Ref<Interface>(static_cast<Interface*>(*made));
    }

    // A new renderer, with the one reference that is the caller's, that has
    // bound its siblings (so that its text painter is there for
    // SetFontFile) and holds the set's modules until its last Release.
    // Quenta reports a sibling it cannot bind itself, on standard error on
    // Linux, in a message box on Windows.
    Result<Ref<IMessageRenderer>> NewRenderer() const;
    // Points archive `number` at a folder or ZIP file, through a Vaultrix of
    // the set's own: every Vaultrix in a process shares the archive numbers,
    // so Quenta's <G> tags read archive 0 as set here.
    Result<void> SetArchivePath(int32_t number, const std::string& path) const;

    // Gives back the set's hold on `module`; the module leaves the process
    // once nothing else holds it (no renderer of the set's, and for a
    // sibling, no Quenta loaded by the set). Harmless when not loaded.
    void Unload(Module module);
    // Unloads everything the set holds, Quenta first.
    void UnloadAll();

private:
    void* handles_[kModuleCount] = {};
    std::string paths_[kModuleCount];
    // Siblings given back while the set held Quenta: closed after it.
    void* afterQuenta_[kModuleCount] = {};
};

}  // namespace quenta::host
