#include "PreviewCommand.h"

#include <cstdio>
#include <memory>

#include "MessagePreviewer.h"
#include "ModuleThread.h"
#include "OptionValues.h"
#include "PreviewServer.h"
#include "ScriptOptions.h"
#include "ScriptWatcher.h"
#include "ToolError.h"

namespace quenta::tool {

namespace {

// A fitted canvas beyond this is refused: the page shows messages, and one
// huge request must not take the memory of many.
constexpr int64_t kMaxPreviewSide = 4096;
// Requests waiting for the module thread before more are turned away.
constexpr size_t kQueuedJobs = 32;
// How often the script's file is looked at.
constexpr std::chrono::milliseconds kWatchInterval{200};

}  // namespace

PreviewCommand::PreviewCommand(CLI::App& app) {
    command_ = app.add_subcommand(
        "preview", "Serve a page that draws a message as you type it, or steps through a script as you edit it.");
    auto* c = command_;
    drawing_.AddTo(*c);
    c->add_option("--window", window_, "the message window's text area, WxH in pixels (the canvas's room by default)");
    c->add_option("--max-lines", maxLines_, "the most lines a message may have")->check(CLI::Range(1, 1 << 20));
    c->add_option("--form", form_, "the script's form when its name does not tell: text, csv, tsv or po")
        ->check(CLI::IsMember({"text", "csv", "tsv", "po"}));
    c->add_flag("--cp932", cp932_, "the script is Shift-JIS (code page 932); by default UTF-8 (a PO file's header may say)");
    c->add_option("--column", column_, "CSV and TSV: the column of the messages, a number from 1 or a name in the first row");
    c->add_flag("--reset-between-messages", reset_, "the host resets the style before each message");
    c->add_option("--address", address_, "the address to listen on (127.0.0.1; give another only on purpose)");
    c->add_option("--port", port_, "the port to listen on; 0 for any free one")->check(CLI::Range(0, 65535));
    c->add_option("--render-limit", renderLimitMs_, "the longest a render may take, in milliseconds")
        ->check(CLI::Range(10, 60000));
    c->add_option("script", script_, "a script to step through: plain text (a blank line ends a message), .csv, .tsv or .po");
}

int PreviewCommand::Run() {
    const render::Options options = drawing_.Resolve();
    const script::WindowSettings window = WindowOf(window_, 0, maxLines_);

    preview::MessagePreviewer previewer(options, window, kMaxPreviewSide);
    preview::ModuleThread modules(kQueuedJobs);
    std::unique_ptr<preview::ScriptWatcher> script;
    if (!script_.empty()) {
        if (script_ == "-") throw render::UsageError("the script must be a file, so that it can be watched");
        try {
            script = std::make_unique<preview::ScriptWatcher>(
                preview::ScriptSource{script_, form_, cp932_, column_, reset_}, modules, previewer, kWatchInterval);
        } catch (const std::runtime_error& error) {
            throw render::ToolError(error.what());
        }
    }
    preview::ServerLimits limits;
    limits.renderTime = std::chrono::milliseconds(renderLimitMs_);
    preview::PreviewServer server(limits, modules, previewer, script.get());
    server.Bind(address_, port_);
    std::printf("quenta preview: open %s in a browser (Ctrl-C stops it)\n", server.Url().c_str());
    std::fflush(stdout);
    server.Serve();
    return 0;
}

}  // namespace quenta::tool
