#include "PreviewCommand.h"

#include <cstdio>
#include <memory>

#include "MessagePreviewer.h"
#include "ModuleThread.h"
#include "OptionValues.h"
#include "PreviewServer.h"
#include "ScriptError.h"
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
    // Without --window, the window is the canvas's room right and below the text.
    input_.AddTo(*c, {.cp932 = true, .width = false});
    c->add_option("--address", address_, "the address to listen on (127.0.0.1; give another only on purpose)");
    c->add_option("--port", port_, "the port to listen on; 0 for any free one")->check(CLI::Range(0, 65535));
    c->add_option("--render-limit", renderLimitMs_, "the longest a render may take, in milliseconds")
        ->check(CLI::Range(10, 60000));
    config_.AddTo(*c);
    c->add_option("script", script_, "a script to step through: plain text (a blank line ends a message), .csv, .tsv or .po");
}

int PreviewCommand::Run() {
    const script::ProjectSettings project = script::SettingsResolver(config_.Choice(*command_)).For(script_);
    ApplySettings(project, input_);
    ApplySettings(project, drawing_);
    const render::Options options = drawing_.Resolve();
    const script::WindowSettings window = input_.Window();

    preview::MessagePreviewer previewer(options, window, kMaxPreviewSide);
    preview::ModuleThread modules(kQueuedJobs);
    std::unique_ptr<preview::ScriptWatcher> script;
    if (!script_.empty()) {
        if (script_ == "-") throw render::UsageError("the script must be a file, so that it can be watched");
        try {
            script = std::make_unique<preview::ScriptWatcher>(
                preview::ScriptSource{script_, input_.form, input_.cp932, input_.column, input_.reset}, modules, previewer, kWatchInterval);
        } catch (const std::runtime_error& error) {
            throw script::BadInput(error.what());  // the script as first read
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
