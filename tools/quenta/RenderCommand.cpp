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
    c->add_option("-o,--output", options_.output, "the picture to write; - for standard output");
    c->add_option("-s,--size", size_, "canvas size WxH in pixels, each side 1 to 16384");
    c->add_option("--margin", margin_, "space around the text on a fitted canvas")->check(CLI::Range(0, 4096));
    c->add_option("--position", position_, "where the text's top-left corner goes, X,Y (16,16)");
    c->add_option("-b,--background", background_, "background colour RRGGBB (000000)");
    c->add_option("--background-image", options_.backgroundImage, "a PNG or BMP picture under the text");
    c->add_option("-a,--archive", options_.archive, "the pictures for <G>: a folder or a ZIP file");
    c->add_option("--gothic-font", options_.gothicFont, "the font file for face 0 (Gothic)");
    c->add_option("--mincho-font", options_.minchoFont, "the font file for face 1 (Mincho)");
    c->add_flag("--cp932", options_.cp932, "the input is Shift-JIS (code page 932) already");
    c->add_flag("--keep-newlines", options_.keepNewlines, "hand line breaks to Quenta as they are");
    c->add_flag("--fail-on-findings", failOnFindings_, "exit 1 when the checker finds an error in the message");
    c->add_option("file", options_.input, "the message text; standard input when absent or -");

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
}

int RenderCommand::Run() {
    using render::UsageError;
    if (!script_.script.empty()) return RunScript();
    if (!script_.outDir.empty()) throw UsageError("--out-dir goes with --script");
    if (options_.output.empty()) throw UsageError("--output is required (or --script with --out-dir)");
    if (!size_.empty()) options_.size = render::ParseSize("--size", size_);
    if (!position_.empty()) options_.position = render::ParsePoint("--position", position_);
    if (!background_.empty()) options_.background = render::ParseColor("--background", background_);
    options_.margin = margin_;
    if (options_.position && !options_.size && options_.backgroundImage.empty()) {
        throw UsageError("--position needs a canvas of known size: give --size or --background-image");
    }
    const std::string bytes = render::ReadInputBytes(options_);
    const std::string text = render::ConvertMessageText(options_, bytes);

    // What the checker finds in the message goes to standard error, placed
    // in the input as written.
    script::ScriptFile input;
    input.path = options_.input.empty() ? "-" : options_.input;
    const bool utf16 = render::IsUtf16(bytes);
    input.bytes = utf16 ? render::Utf16ToUtf8(bytes) : bytes;
    input.encoding = options_.cp932 && !utf16 ? script::ScriptEncoding::kCp932 : script::ScriptEncoding::kUtf8;
    std::unique_ptr<script::OpenedArchive> archive;
    script::CheckSettings settings;
    if (!options_.archive.empty()) {
        archive = std::make_unique<script::OpenedArchive>(options_.archive);
        settings.pictures = archive->Pictures();
    }
    const script::FileFindings findings = script::CheckRenderInput(input, options_.keepNewlines, settings);
    for (const script::Finding& f : findings.findings) std::cerr << script::FindingLine(input.path, f) << '\n';
    if (failOnFindings_ && script::HasErrors({findings})) {
        throw render::ToolError("the message has errors (see above); nothing was drawn");
    }
    render::RenderMessage(options_, text);
    return 0;
}

int RenderCommand::RunScript() {
    using render::UsageError;
    if (script_.outDir.empty()) throw UsageError("--script needs --out-dir, the folder for the pictures");
    if (!options_.output.empty() || !options_.input.empty()) {
        throw UsageError("--script draws into --out-dir; give no --output and no message file");
    }
    if (options_.keepNewlines) throw UsageError("--keep-newlines is for one message; a script's line breaks are its own");
    if (!size_.empty()) options_.size = render::ParseSize("--size", size_);
    if (!position_.empty()) options_.position = render::ParsePoint("--position", position_);
    if (!background_.empty()) options_.background = render::ParseColor("--background", background_);
    options_.margin = margin_;
    if (!window_.empty()) {
        const render::CanvasSize size = render::ParseSize("--window", window_);
        script_.window.width = size.width;
        script_.window.height = size.height;
    }
    if (maxLines_ > 0) script_.window.maxLines = maxLines_;
    script_.drawing = options_;
    script_.cp932 = options_.cp932;
    script_.progress = !quiet_;
    return script::RenderScript(script_);
}

}  // namespace quenta::tool
