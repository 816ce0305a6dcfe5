// `quenta render`: quenta-render's drawing, with options read by CLI11.
#pragma once

#include <CLI/CLI.hpp>

#include "DrawingOptions.h"
#include "ScriptOptions.h"
#include "ScriptRender.h"
#include "SettingsOptions.h"

namespace quenta::tool {

class RenderCommand {
public:
    explicit RenderCommand(CLI::App& app);
    bool Chosen() const { return command_->parsed(); }
    // Throws quenta::render::ToolError; returns the exit status.
    int Run();

private:
    CLI::App* command_;
    render::DrawingOptions drawing_;
    std::string output_, input_;
    bool cp932_ = false;
    bool failOnFindings_ = false;
    // A whole script to a folder of pictures.
    script::ScriptRenderSettings script_;
    ScriptInputOptions scriptInput_;
    SettingsOptions config_;
    bool quiet_ = false;

    int RunScript();
};

}  // namespace quenta::tool
