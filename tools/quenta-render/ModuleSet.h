// The five modules, loaded as a host loads them: the siblings first, then
// Quenta, which looks for the siblings among the modules already loaded.
// They stay loaded until the tool exits, when the system runs their clean-up
// in reverse load order: Quenta's first, which releases the pictures that
// live in Pictura. Unloading them earlier gains nothing in a tool that exits
// next, and would leave the sanitizers unable to name the origin of anything
// a module keeps until exit.
#pragma once

#include <filesystem>
#include <string>

#include "quenta/InterfaceId.h"

namespace quenta::render {

enum class Module { kScrivo2, kPlotra, kVaultrix, kPictura, kQuenta };

class ModuleSet {
public:
    // Throws a ToolError naming the module that did not load, and why.
    explicit ModuleSet(const std::filesystem::path& folder);
    ModuleSet(const ModuleSet&) = delete;
    ModuleSet& operator=(const ModuleSet&) = delete;

    // The module's CreateInterface(id); throws a ToolError when it answers null.
    void* Create(Module module, const InterfaceId& id);

    // Where the modules lie: lib/quenta beside the folder holding this program.
    static std::filesystem::path DefaultFolder();

private:
    static constexpr int kCount = 5;
    void* handles_[kCount] = {};
};

}  // namespace quenta::render
