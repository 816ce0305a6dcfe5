// `quenta config [SCRIPT]`: every setting in force for a script and where
// each came from.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "DrawingOptions.h"
#include "ScriptOptions.h"
#include "SettingsOptions.h"

namespace quenta::tool {

class ConfigCommand {
public:
    explicit ConfigCommand(CLI::App& app);
    bool Chosen() const { return command_->parsed(); }
    // Returns the exit status; throws script::SettingsError.
    int Run();

private:
    CLI::App* command_;
    ScriptInputOptions input_;
    render::DrawingOptions drawing_;
    SettingsOptions config_;
    std::string script_;
};

}  // namespace quenta::tool
