// The preview's web server: its one page, the pictures it draws, and the
// calls the page makes. It answers only requests addressed to the name it
// printed, refuses requests made by other sites' pages, and bounds what a
// request may cost.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "MessagePreviewer.h"
#include "ModuleThread.h"
#include "PictureStore.h"
#include "ScriptWatcher.h"

namespace httplib {
class Server;
}

namespace quenta::preview {

struct ServerLimits {
    size_t maxBody = 64 * 1024;
    std::chrono::milliseconds renderTime{2000};
    size_t keptPictures = 32;
};

class PreviewServer {
public:
    // `script` may be null: the page then previews what is typed.
    PreviewServer(ServerLimits limits, ModuleThread& modules, MessagePreviewer& previewer, ScriptWatcher* script);
    PreviewServer(const PreviewServer&) = delete;
    PreviewServer& operator=(const PreviewServer&) = delete;
    ~PreviewServer();

    // Listens on `address` (port 0: any free port). Throws
    // quenta::render::ToolError when it cannot.
    void Bind(const std::string& address, int32_t port);
    // "http://127.0.0.1:8040/": what to open, and the only Host answered.
    std::string Url() const { return "http://" + authority_ + "/"; }
    // Answers requests until Stop.
    void Serve();
    void Stop();

private:
    void Route();

    ServerLimits limits_;
    ModuleThread& modules_;
    MessagePreviewer& previewer_;
    ScriptWatcher* script_;
    PictureStore pictures_;
    std::string authority_;  // host:port as printed
    std::unique_ptr<httplib::Server> server_;
};

}  // namespace quenta::preview
