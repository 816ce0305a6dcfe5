// `quenta render`: quenta-render's drawing and options, and the checker's
// findings for the message it draws.
#pragma once

#include <CLI/CLI.hpp>

#include <memory>

#include "RenderOptionSet.h"

namespace quenta::tool {

class RenderCommand {
public:
    explicit RenderCommand(CLI::App& app);
    bool Chosen() const { return command_->parsed(); }
    // Throws quenta::render::ToolError; returns the exit status.
    int Run();

private:
    CLI::App* command_;
    std::unique_ptr<render::RenderOptionSet> options_;
    bool failOnFindings_ = false;
};

}  // namespace quenta::tool
