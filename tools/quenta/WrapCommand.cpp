#include "WrapCommand.h"

#include <iostream>
#include <memory>
#include <stdexcept>

#include "FileReplacement.h"
#include "OpenedArchive.h"
#include "ScriptWrapper.h"
#include "ToolError.h"

namespace quenta::tool {

WrapCommand::WrapCommand(CLI::App& app) {
    command_ = app.add_subcommand("wrap", "Insert <R> so that every line of every message fits the window's width.");
    script_.AddTo(*command_, true);
    command_->add_flag("-i,--in-place", inPlace_, "rewrite the files (atomically) instead of writing to standard output");
    command_->footer("Messages that still do not fit are reported on standard error as file:line:column: error: ...;\n"
                     "exit status 1 then, 2 for a bad command line or an unreadable script, else 0.");
}

int WrapCommand::Run() {
    script::CheckSettings settings;
    settings.window = script_.Window();
    if (!settings.window.width) throw render::UsageError("give the width to wrap to: --window WxH or --width N");
    settings.resetBetweenMessages = script_.reset;
    std::unique_ptr<script::OpenedArchive> archive;
    if (!script_.archive.empty()) archive = std::make_unique<script::OpenedArchive>(script_.archive);
    settings.pictures = archive ? archive->Pictures() : nullptr;
    if (inPlace_) {
        for (const std::string& path : script_.files) {
            if (path == "-") throw render::UsageError("-i rewrites files; standard input cannot be rewritten");
        }
    }

    bool unfitting = false;
    for (const std::string& path : script_.files) {
        script::WrapResult result;
        try {
            script::ScriptFile file = script::OpenScript(path, script_.form, script_.cp932, script_.column);
            script_.ApplyTo(file);
            result = script::WrapScript(file, settings);
        } catch (const render::ToolError&) {
            throw;
        } catch (const std::runtime_error& error) {
            throw render::UsageError(error.what());  // not a script of its form: a bad command line
        }
        if (!inPlace_) {
            std::cout.write(result.bytes.data(), static_cast<std::streamsize>(result.bytes.size()));
        } else if (result.breaksAdded > 0) {
            try {
                script::ReplaceFile(path, result.bytes);
            } catch (const std::runtime_error& error) {
                throw render::ToolError(error.what());
            }
        }
        for (const script::Finding& f : result.unfitting.findings) {
            std::cerr << script::FindingLine(path, f) << '\n';
            unfitting = true;
        }
    }
    std::cout.flush();
    return unfitting ? 1 : 0;
}

}  // namespace quenta::tool
