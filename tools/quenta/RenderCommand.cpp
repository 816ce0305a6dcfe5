#include "RenderCommand.h"

#include <iostream>
#include <memory>

#include "Cp932Conversion.h"
#include "InputText.h"
#include "OpenedArchive.h"
#include "ScriptChecker.h"
#include "RenderJob.h"
#include "ToolError.h"

namespace quenta::tool {

RenderCommand::RenderCommand(CLI::App& app) {
    command_ = app.add_subcommand("render", "Draw marked-up message text into a PNG picture (as quenta-render).");
    auto* c = command_;
    c->add_option("-o,--output", output_, "the picture to write; - for standard output")->required();
    drawing_.AddTo(*c);
    c->add_flag("--cp932", cp932_, "the input is Shift-JIS (code page 932) already");
    c->add_flag("--fail-on-findings", failOnFindings_, "exit 1 when the checker finds an error in the message");
    c->add_option("file", input_, "the message text; standard input when absent or -");
}

int RenderCommand::Run() {
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

}  // namespace quenta::tool
