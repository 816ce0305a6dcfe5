#include "ModuleFolder.h"

#include <filesystem>
#include <system_error>

#include "ToolError.h"

namespace quenta::render {

std::string ModuleFolderBesideTool() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) throw ToolError("cannot find where quenta-render lies: " + error.message());
    return (self.parent_path() / QUENTA_MODULE_FOLDER).lexically_normal().string();
}

}  // namespace quenta::render
