// `quenta preview`: a page in the browser that draws a message as it is
// typed, or steps through a script and follows it as it is saved.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>

#include "DrawingOptions.h"
#include "ScriptOptions.h"
#include "SettingsOptions.h"

namespace quenta::tool {

class PreviewCommand {
public:
    explicit PreviewCommand(CLI::App& app);
    bool Chosen() const { return command_->parsed(); }
    // Serves until the process is stopped. Throws quenta::render::ToolError;
    // returns the exit status.
    int Run();

private:
    CLI::App* command_;
    render::DrawingOptions drawing_;
    std::string script_;
    ScriptInputOptions input_;
    SettingsOptions config_;
    std::string address_ = "127.0.0.1";
    int32_t port_ = 0;
    int32_t renderLimitMs_ = 2000;
};

}  // namespace quenta::tool
