#include "RenderCommand.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

#include "Cp932Conversion.h"
#include "InputText.h"
#include "OpenedArchive.h"
#include "OptionValues.h"
#include "ProgressLine.h"
#include "ScriptOptions.h"
#include "ScriptChecker.h"
#include "RenderJob.h"
#include "ToolError.h"

namespace quenta::tool {

namespace {

std::string Count(size_t n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

}  // namespace

RenderCommand::RenderCommand(CLI::App& app) {
    command_ = app.add_subcommand("render", "Draw marked-up message text into a PNG picture (as quenta-render).");
    auto* c = command_;
    c->add_option("-o,--output", output_, "the picture to write; - for standard output");
    drawing_.AddTo(*c);
    c->add_flag("--cp932", cp932_, "the input is Shift-JIS (code page 932) already");
    c->add_flag("--fail-on-findings", failOnFindings_, "exit 1 when the checker finds an error in the message");
    config_.AddTo(*c);
    c->add_option("file", input_, "the message text; standard input when absent or -");

    auto* whole = c->add_option_group("whole script", "every message of a script to a picture, and index.html to review them");
    whole->add_option("--script", script_.script, "the script: plain text (a blank line ends a message), .csv, .tsv or .po");
    whole->add_option("--out-dir", script_.outDir, "the folder for the pictures and index.html");
    whole->add_option("--names", script_.names, "the pictures' names, '#' for the message's number zero-padded (####.png)");
    whole->add_option("-j,--jobs", script_.jobs, "worker processes (one per core)")->check(CLI::Range(1, 256));
    // --cp932 is the command's own, for one message and for a script alike.
    scriptInput_.AddTo(*whole, {.cp932 = false, .width = false});
    whole->add_flag("-q,--quiet", quiet_, "no progress line, only the summary");
    whole->add_flag("--force", script_.force, "draw over pictures in --out-dir that this tool did not draw");
}

int RenderCommand::Run() {
    using render::UsageError;
    // The settings in force for the script, or for the message's file.
    const std::string& settingsFor = !script_.script.empty() ? script_.script : input_;
    const script::ProjectSettings project = script::SettingsResolver(config_.Choice(*command_)).For(settingsFor);
    ApplySettings(project, scriptInput_);
    ApplySettings(project, drawing_);
    if (project.encoding.origin.kind == script::SettingOrigin::Kind::kFile) cp932_ = project.Cp932();
    if (!script_.script.empty()) {
        // A script's line breaks are its own: a project's keep-newlines is for one message.
        if (project.keepNewlines.origin.kind == script::SettingOrigin::Kind::kFile) drawing_.options.keepNewlines = false;
        return RunScript();
    }
    if (!script_.outDir.empty()) throw UsageError("--out-dir goes with --script");
    if (output_.empty()) throw UsageError("--output is required (or --script with --out-dir)");
    render::Options options = drawing_.Resolve();
    options.output = output_;
    options.input = input_;
    options.cp932 = cp932_;
    const std::string bytes = render::ReadInputBytes(options);
    // Refuses what cannot be drawn at all (a NUL, text that is not UTF-8 or
    // has no code page 932 form, nothing), saying where.
    render::ConvertMessageText(options, bytes);

    // The whole input is one message of the one pass: what the checker
    // finds goes to standard error, placed in the input as written, and
    // the text it checked is the text drawn.
    script::ScriptFile input;
    input.path = options.input.empty() ? "-" : options.input;
    input.form = script::ScriptForm::kWholeMessage;
    input.keepNewlines = options.keepNewlines;
    const bool utf16 = render::IsUtf16(bytes);
    input.bytes = utf16 ? render::Utf16ToUtf8(bytes) : bytes;
    input.encoding = options.cp932 && !utf16 ? script::ScriptEncoding::kCp932 : script::ScriptEncoding::kUtf8;
    std::unique_ptr<script::OpenedArchive> archive;
    script::CheckSettings settings;
    settings.resetBetweenMessages = true;
    if (!options.archive.empty()) {
        archive = std::make_unique<script::OpenedArchive>(options.archive);
        settings.pictures = archive->Pictures();
    }
    script::MessagePass pass = script::PassFor(input, settings);
    script::MessageChecker checker(settings, pass);
    std::string text;
    bool errors = false;
    pass.Run([&](const script::PassedMessage& message) {
        for (const script::Finding& f : checker.Check(message)) {
            std::cerr << script::FindingLine(input.path, f) << '\n';
            errors = errors || f.level == script::Level::kError;
        }
        text = message.message.text;
    });
    if (failOnFindings_ && errors) throw render::ToolError("the message has errors (see above); nothing was drawn");
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
    script_.form = scriptInput_.form;
    script_.cp932 = cp932_;
    script_.column = scriptInput_.column;
    script_.window = scriptInput_.Window();
    script_.resetBetweenMessages = scriptInput_.reset;

    // The progress line, on a terminal only; the summary always.
    const bool terminal = !quiet_ && isatty(STDERR_FILENO) != 0;
    std::optional<script::ProgressLine> progress;
    script::ScriptRenderEvents events;
    events.progress = [&](int64_t reported, int64_t total) {
        if (!progress) progress.emplace(std::cerr, terminal, total);
        progress->Update(reported);
    };
    events.drawingDone = [&] {
        if (progress) progress->Finish();
    };
    events.undrawn = [&](const script::UndrawnMessage& m) {
        std::fprintf(stderr, "%s:%d:%d: error: message %d could not be drawn: %s\n", script_.script.c_str(), m.place.line,
                     m.place.column, m.number, m.reason.c_str());
    };
    events.interrupted = [&](const script::ScriptRenderSummary& s) {
        std::fprintf(stderr, "quenta: interrupted: %s drawn, %zu not; only complete pictures are left in '%s'\n",
                     Count(s.drawn, "picture", "pictures").c_str(), s.notDrawn, script_.outDir.c_str());
    };
    const script::ScriptRenderResult result = script::RenderScript(script_, events);
    for (const auto& [reason, times] : result.moreUndrawn) {
        std::fprintf(stderr, "quenta: %zu more messages could not be drawn: %s\n", times, reason.c_str());
    }
    const script::ScriptRenderSummary& s = result.summary;
    std::fprintf(stderr, "quenta: %s: %s drawn, %zu up to date, %zu not drawn; %s, %s, %s; %.2f s\n",
                 script_.script.c_str(), Count(s.drawn, "picture", "pictures").c_str(), s.upToDate, s.notDrawn,
                 Count(s.byLevel[2], "error", "errors").c_str(), Count(s.byLevel[1], "warning", "warnings").c_str(),
                 Count(s.byLevel[0], "note", "notes").c_str(), s.seconds);
    std::fprintf(stderr, "quenta: review them in %s\n", s.page.c_str());
    return s.notDrawn > 0 || s.byLevel[static_cast<size_t>(script::Level::kError)] > 0 ? 1 : 0;
}

}  // namespace quenta::tool
