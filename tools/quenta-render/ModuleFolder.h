// Where the tool finds the modules: lib/quenta beside the folder holding the
// program, the same in the build tree and the install tree.
#pragma once

#include <string>

namespace quenta::render {

// Throws a ToolError when the program cannot tell where it lies.
std::string ModuleFolderBesideTool();

}  // namespace quenta::render
