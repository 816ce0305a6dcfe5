// `quenta check`: the script checker.
#pragma once

#include <CLI/CLI.hpp>

#include "ScriptOptions.h"
#include "SettingsOptions.h"

namespace quenta::tool {

class CheckCommand {
public:
    explicit CheckCommand(CLI::App& app);
    bool Chosen() const { return command_->parsed(); }
    // Returns the exit status; throws quenta::render::ToolError.
    int Run(const std::string& version);

private:
    CLI::App* command_;
    ScriptOptions script_;
    SettingsOptions config_;
    std::string format_ = "text";
    std::vector<std::string> only_, silenced_;
    bool warningsAsErrors_ = false;
    bool listChecks_ = false;
    bool showAccepted_ = false;
};

}  // namespace quenta::tool
