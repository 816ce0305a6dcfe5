// `quenta wrap`: fits every message's lines to the window.
#pragma once

#include <CLI/CLI.hpp>

#include "ScriptOptions.h"
#include "SettingsOptions.h"

namespace quenta::tool {

class WrapCommand {
public:
    explicit WrapCommand(CLI::App& app);
    bool Chosen() const { return command_->parsed(); }
    // Returns the exit status; throws quenta::render::ToolError.
    int Run();

private:
    CLI::App* command_;
    ScriptOptions script_;
    SettingsOptions config_;
    bool inPlace_ = false;
};

}  // namespace quenta::tool
