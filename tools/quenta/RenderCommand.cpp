#include "RenderCommand.h"

#include <iostream>
#include <memory>

#include "Cp932Conversion.h"
#include "InputText.h"
#include "OpenedArchive.h"
#include "OptionValues.h"
#include "ScriptChecker.h"
#include "RenderJob.h"
#include "ToolError.h"

namespace quenta::tool {

RenderCommand::RenderCommand(CLI::App& app) {
    command_ = app.add_subcommand("render", "Draw marked-up message text into a PNG picture (as quenta-render).");
    auto* c = command_;
    c->add_option("-o,--output", output_, "the picture to write; - for standard output");
    drawing_.AddTo(*c);
    c->add_flag("--cp932", cp932_, "the input is Shift-JIS (code page 932) already");
    c->add_flag("--fail-on-findings", failOnFindings_, "exit 1 when the checker finds an error in the message");
    c->add_option("file", input_, "the message text; standard input when absent or -");

    auto* whole = c->add_option_group("whole script", "every message of a script to a picture, and index.html to review them");
    whole->add_option("--script", script_.script, "the script: plain text (a blank line ends a message), .csv, .tsv or .po");
    whole->add_option("--out-dir", script_.outDir, "the folder for the pictures and index.html");
    whole->add_option("--names", script_.names, "the pictures' names, '#' for the message's number zero-padded (####.png)");
    whole->add_option("-j,--jobs", script_.jobs, "worker processes (one per core)")->check(CLI::Range(1, 256));
    whole->add_option("--form", script_.form, "the script's form when its name does not tell: text, csv, tsv or po")
        ->check(CLI::IsMember({"text", "csv", "tsv", "po"}));
    whole->add_option("--column", script_.column, "CSV and TSV: the column of the messages, a number from 1 or a name in the first row");
    whole->add_option("--window", window_, "the message window's text area, WxH: framed on every picture, overflow marked");
    whole->add_option("--max-lines", maxLines_, "the most lines a message may have")->check(CLI::Range(1, 1 << 20));
    whole->add_flag("--reset-between-messages", script_.resetBetweenMessages,
                    "the host resets the style before each message (for the checker; every picture starts from the defaults)");
    whole->add_flag("-q,--quiet", quiet_, "no progress line, only the summary");
    whole->add_flag("--force", script_.force, "draw over pictures in --out-dir that this tool did not draw");
}

int RenderCommand::Run() {
    using render::UsageError;
    if (!script_.script.empty()) return RunScript();
    if (!script_.outDir.empty()) throw UsageError("--out-dir goes with --script");
    if (output_.empty()) throw UsageError("--output is required (or --script with --out-dir)");
    render::Options options = drawing_.Resolve();
    options.output = output_;
    options.input = input_;
    options.cp932 = cp932_;
    const std::string bytes = render::ReadInputBytes(options);
    const std::string text = render::ConvertMessageText(options, bytes);

    // What the checker finds in the message goes to standard error, placed
    // in the input as written.
    script::ScriptFile input;
    input.path = options.input.empty() ? "-" : options.input;
    const bool utf16 = render::IsUtf16(bytes);
    input.bytes = utf16 ? render::Utf16ToUtf8(bytes) : bytes;
    input.encoding = options.cp932 && !utf16 ? script::ScriptEncoding::kCp932 : script::ScriptEncoding::kUtf8;
    std::unique_ptr<script::OpenedArchive> archive;
    script::CheckSettings settings;
    if (!options.archive.empty()) {
        archive = std::make_unique<script::OpenedArchive>(options.archive);
        settings.pictures = archive->Pictures();
    }
    const script::FileFindings findings = script::CheckRenderInput(input, options.keepNewlines, settings);
    for (const script::Finding& f : findings.findings) std::cerr << script::FindingLine(input.path, f) << '\n';
    if (failOnFindings_ && script::HasErrors({findings})) {
        throw render::ToolError("the message has errors (see above); nothing was drawn");
    }
    render::RenderMessage(options, text);
    return 0;
}

int RenderCommand::RunScript() {
    using render::UsageError;
    if (script_.outDir.empty()) throw UsageError("--script needs --out-dir, the folder for the pictures");
    if (!output_.empty() || !input_.empty()) {
        throw UsageError("--script draws into --out-dir; give no --output and no message file");
    }
    script_.drawing = drawing_.Resolve();
    if (script_.drawing.keepNewlines) throw UsageError("--keep-newlines is for one message; a script's line breaks are its own");
    if (!window_.empty()) {
        const render::CanvasSize size = render::ParseSize("--window", window_);
        script_.window.width = size.width;
        script_.window.height = size.height;
    }
    if (maxLines_ > 0) script_.window.maxLines = maxLines_;
    script_.cp932 = cp932_;
    script_.progress = !quiet_;
    return script::RenderScript(script_);
}

}  // namespace quenta::tool
