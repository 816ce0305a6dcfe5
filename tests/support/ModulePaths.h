// Where the build put the double modules and Quenta's own.
#pragma once

#include <string>

namespace quenta::testing {

inline std::string DoubleModulePath(const char* name) {
    return std::string(QUENTA_DOUBLES_DIR) + "/" + name + QUENTA_MODULE_SUFFIX;
}
inline std::string NoExportModulePath(const char* name) {
    return std::string(QUENTA_DOUBLES_DIR) + "/noexport/" + name + QUENTA_MODULE_SUFFIX;
}
inline std::string QuentaModulePath() {
    return std::string(QUENTA_MODULE_PATH);
}

}  // namespace quenta::testing
