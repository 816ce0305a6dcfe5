// Puts the double siblings into the process, the way a host loads siblings
// before Quenta, and helpers to read what a renderer laid out.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "LoadedModule.h"
#include "ModulePaths.h"
#include "Recorder.h"

namespace quenta::testing {

// The modules stay loaded until the process ends: the picture cache releases
// what it holds at exit, and that code must still be there.
inline void LoadDoubles(std::initializer_list<const char*> names) {
    static auto* kept = new std::vector<LoadedModule*>();
    for (const char* name : names) {
        kept->push_back(new LoadedModule(DoubleModulePath(name)));
        ASSERT_TRUE(kept->back()->IsLoaded()) << DoubleModulePath(name);
    }
}

inline void LoadAllDoubles() { LoadDoubles({"Scrivo2", "Plotra", "Vaultrix", "Pictura"}); }

inline void ResetRecorder() {
    ClearCalls();
    ClearSettings();
}

}  // namespace quenta::testing
