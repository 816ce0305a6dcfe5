// `quenta lsp`: the language server on standard input and output.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace quenta::tool {

class LspCommand {
public:
    explicit LspCommand(CLI::App& app);
    bool Chosen() const { return command_->parsed(); }
    int Run(const std::string& version);

private:
    CLI::App* command_ = nullptr;
    bool stdio_ = true;
};

}  // namespace quenta::tool
