#include "LspCommand.h"

#include <csignal>
#include <iostream>
#include <memory>

#include "LanguageServer.h"
#include "OpenedArchive.h"

namespace quenta::tool {

LspCommand::LspCommand(CLI::App& app) {
    command_ = app.add_subcommand("lsp", "Serve the Language Server Protocol on standard input and output, for editors.");
    // Editors start servers with --stdio; it is the only way this one talks.
    command_->add_flag("--stdio", stdio_, "talk on standard input and output (the default and only way)");
    command_->footer(
        "Settings come from the client's initialization options and its \"quenta\" workspace configuration: window "
        "(\"480x96\"), width, maxLines, resetBetweenMessages, warningsAsErrors, only, silence, form, column, "
        "includeFuzzy, archive, formatting, inlayHints (all, near, none), nearPercent.\n"
        "Exit status: 0 after shutdown and exit, 1 when the client went away or the stream could not be read.");
}

int LspCommand::Run(const std::string& version) {
    // A client that went away makes writes fail instead of ending the process.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const lsp::ArchiveOpener open = [](const std::string& path) -> std::shared_ptr<core::PictureSizes> {
        auto archive = std::make_shared<script::OpenedArchive>(path);
        return std::shared_ptr<core::PictureSizes>(archive, archive->Pictures());
    };
    return lsp::Serve(std::cin, std::cout, version, std::cerr, open);
}

}  // namespace quenta::tool
