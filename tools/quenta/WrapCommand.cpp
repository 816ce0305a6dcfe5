#include "WrapCommand.h"

#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>

#include <unistd.h>

#include "CheckedOutput.h"
#include "FileReplacement.h"
#include "OpenedArchive.h"
#include "ScriptWrapper.h"
#include "ToolError.h"

namespace quenta::tool {

WrapCommand::WrapCommand(CLI::App& app) {
    command_ = app.add_subcommand("wrap", "Insert <R> so that every line of every message fits the window's width.");
    script_.AddTo(*command_, true);
    config_.AddTo(*command_);
    command_->add_flag("-i,--in-place", inPlace_, "rewrite the files (atomically) instead of writing to standard output");
    command_->footer("Messages that still do not fit are reported on standard error as file:line:column: error: ...;\n"
                     "exit status 1 then, 2 for a bad command line or an unreadable script, else 0.");
}

int WrapCommand::Run() {
    if (inPlace_) {
        for (const std::string& path : script_.files) {
            if (path == "-") throw render::UsageError("-i rewrites files; standard input cannot be rewritten");
        }
    }
    script::SettingsResolver resolver(config_.Choice(*command_));
    std::map<std::string, std::unique_ptr<script::OpenedArchive>> archives;

    render::CheckedOutput out(STDOUT_FILENO, "to standard output", false);
    bool unfitting = false;
    int32_t messages = 0;
    for (const std::string& path : script_.files) {
        // Each script is wrapped to the window in force for it.
        const script::ProjectSettings project = resolver.For(path);
        ScriptOptions options = script_;
        ApplySettings(project, options);
        ApplyArchive(project, options.archive);
        script::CheckSettings settings;
        settings.window = options.Window();
        if (!settings.window.width) throw render::UsageError("give the width to wrap to: --window WxH or --width N");
        settings.resetBetweenMessages = options.reset;
        if (!options.archive.empty()) {
            auto& archive = archives[options.archive];
            if (!archive) archive = std::make_unique<script::OpenedArchive>(options.archive);
            settings.pictures = archive->Pictures();
        }
        settings.afterMessage = [&](int32_t number) { messages = number; };
        if (inPlace_) {
            // Refused before it is read: a FIFO would be waited on.
            try {
                script::ReplaceablePath(path);
            } catch (const std::runtime_error& error) {
                throw render::ToolError(error.what());
            }
        }
        const script::ScriptFile file =
            script::OpenScript(path, options.form, options.cp932, options.column, options.includeFuzzy);
        messages = 0;
        script::WrapResult result = script::WrapScript(file, settings);
        // Written back as the file is stored: UTF-16, or the charset a PO
        // header names.
        result.bytes = script::StoredBytes(file, result.bytes);
        // The file is given back as it is, which is right; but the writer
        // should know that nothing was looked at.
        if (messages == 0) std::cerr << path << ": warning: " << NoMessageText(options) << '\n';
        if (!inPlace_) {
            out.Write(result.bytes.data(), result.bytes.size());
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
    out.Finish();
    return unfitting ? 1 : 0;
}

}  // namespace quenta::tool
