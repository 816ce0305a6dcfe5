// The preview's web server: its one page, the pictures it draws, and the
// calls the page makes. It answers only requests addressed to the name it
// printed, refuses requests made by other sites' pages, and bounds what a
// request may cost.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ConnectionDeadlines.h"
#include "MessagePreviewer.h"
#include "ModuleThread.h"
#include "PictureStore.h"
#include "ScriptWatcher.h"

struct MHD_Daemon;
struct MHD_Connection;

namespace quenta::preview {

struct ServerLimits {
    size_t maxBody = 64 * 1024;  // however the body is framed
    std::chrono::milliseconds renderTime{2000};   // from when the drawing starts
    std::chrono::milliseconds queueTime{10000};   // waiting for the renders ahead
    size_t keptPictures = 32;
    size_t maxHeaders = 64;             // header lines in a request
    size_t connectionMemory = 32 * 1024;  // a request's head must fit in it
    uint32_t connections = 256;         // past these, new ones are closed
    std::chrono::seconds idleTime{5};   // silence before a connection is closed
    std::chrono::milliseconds requestTime{5000};  // for a request to arrive whole
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

    struct Request;  // what one request has sent so far

private:
    friend struct ServerCalls;
    int Answer(MHD_Connection* connection, const Request& request);
    int AnswerRender(MHD_Connection* connection, const std::string& body);

    ServerLimits limits_;
    ModuleThread& modules_;
    MessagePreviewer& previewer_;
    ScriptWatcher* script_;
    PictureStore pictures_;
    ConnectionDeadlines deadlines_;
    std::string authority_;  // host:port as printed
    int listener_ = -1;
    bool ipv6_ = false;
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
};

}  // namespace quenta::preview
