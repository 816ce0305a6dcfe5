// Puts the double siblings into the process, the way a host loads siblings
// before Quenta, and helpers to read what a renderer laid out.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "ModulePaths.h"
#include "Recorder.h"
#include "quenta/ModuleSet.h"

namespace quenta::testing {

using host::Module;

// The modules stay loaded until the process ends, as a module set leaves
// them: the picture cache releases what it holds at exit, and that code must
// still be there.
inline void LoadDoubles(std::initializer_list<Module> modules) {
    host::ModuleSet doubles;
    const host::Result<void> loaded = doubles.Load(QUENTA_DOUBLES_DIR, modules);
    ASSERT_TRUE(loaded) << loaded.Error().Describe();
}

inline void LoadAllDoubles() { LoadDoubles({Module::kScrivo2, Module::kPlotra, Module::kVaultrix, Module::kPictura}); }

inline void ResetRecorder() {
    ClearCalls();
    ClearSettings();
}

}  // namespace quenta::testing
