// quenta: the tools for hosts, writers and translators in one program,
// `quenta render`, `quenta check`, `quenta wrap`, `quenta preview` and
// `quenta lsp`.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "CheckCommand.h"
#include "LspCommand.h"
#include "ConfigCommand.h"
#include "ManPages.h"
#include "Options.h"
#include "RenderOptionSet.h"
#include "PreviewCommand.h"
#include "ProjectSettings.h"
#include "RenderCommand.h"
#include "ScriptError.h"
#include "WrapCommand.h"
#include "ToolError.h"

int main(int argc, char** argv) {
    using namespace quenta;
    CLI::App app("Quenta's tools: draw messages, check scripts, fit their lines to the message window.", "quenta");
    app.set_version_flag("--version", QUENTA_VERSION);
    app.require_subcommand(1, 1);
    tool::RenderCommand render(app);
    tool::CheckCommand check(app);
    tool::WrapCommand wrap(app);
    tool::PreviewCommand preview(app);
    tool::LspCommand lsp(app);
    tool::ConfigCommand config(app);
    // Hidden (no group): the build writes the manual pages with it.
    std::string manFolder;
    CLI::App* manPages = app.add_subcommand("man-pages", "Write the manual pages into a folder.")->group("");
    manPages->add_option("folder", manFolder)->required();
    for (CLI::App* command : app.get_subcommands({})) command->set_version_flag("--version", QUENTA_VERSION);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ArgumentMismatch& error) {
        // "--size: 1 required TEXT missing": an option at the end without its value.
        const std::string what = error.what();
        std::fprintf(stderr, "quenta: %s needs a value\nTry 'quenta --help'.\n", what.substr(0, what.find(':')).c_str());
        return render::kExitUsage;
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) return app.exit(error);  // --help, --version
        std::fprintf(stderr, "quenta: %s\nTry 'quenta --help'.\n", error.what());
        return render::kExitUsage;
    }
    if (manPages->parsed()) {
        CLI::App renderTool(render::kToolDescription, "quenta-render");
        render::RenderOptionSet renderOptions(renderTool, true);
        for (const tool::ManPage& page : tool::ManPages(app, renderTool, QUENTA_VERSION)) {
            std::ofstream file(manFolder + "/" + page.name + ".1", std::ios::binary);
            file << page.text;
            if (!file.flush()) {
                std::fprintf(stderr, "quenta: cannot write %s/%s.1\n", manFolder.c_str(), page.name.c_str());
                return render::kExitFailure;
            }
        }
        return 0;
    }
    try {
        if (render.Chosen()) return render.Run();
        if (check.Chosen()) return check.Run(QUENTA_VERSION);
        if (wrap.Chosen()) return wrap.Run();
        if (preview.Chosen()) return preview.Run();
        if (lsp.Chosen()) return lsp.Run(QUENTA_VERSION);
        if (config.Chosen()) return config.Run();
    } catch (const script::SettingsError& error) {
        // A whole diagnostic already, "quenta.toml:3:1: error: ...".
        std::fprintf(stderr, "%s\n", error.what());
        return render::kExitUsage;
    } catch (const script::ScriptError& error) {
        // What is wrong with which file or setting; the command line itself
        // was read, so no help hint. A script that cannot be read, or a
        // setting that does not fit it, is a bad command line.
        std::fprintf(stderr, "quenta: %s\n", error.what());
        const bool usage = error.Kind() == script::ErrorKind::kBadInput || error.Kind() == script::ErrorKind::kBadSetting;
        return usage ? render::kExitUsage : render::kExitFailure;
    } catch (const render::ToolError& error) {
        std::fprintf(stderr, "quenta: %s\n", error.what());
        if (error.ShowsHelp()) std::fputs("Try 'quenta --help'.\n", stderr);
        return error.Status();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quenta: %s\n", error.what());
        return render::kExitFailure;
    }
    return render::kExitFailure;
}
