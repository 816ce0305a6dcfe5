// Where the build put the double modules and the real Quenta.
#pragma once

#include <string>

#include "quenta/ModuleSet.h"

namespace quenta::testing {

inline std::string DoubleModulePath(host::Module module) {
    return std::string(QUENTA_DOUBLES_DIR) + "/" + host::ModuleFileName(module);
}
// A Scrivo2 double without the CreateInterface export.
inline std::string NoExportModulePath(host::Module module) {
    return std::string(QUENTA_DOUBLES_DIR) + "/noexport/" + host::ModuleFileName(module);
}
inline std::string QuentaModulePath() { return std::string(QUENTA_MODULE_PATH); }

}  // namespace quenta::testing
