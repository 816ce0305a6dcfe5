#include "PreviewServer.h"

#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <nlohmann/json.hpp>

#include "CheckCatalogue.h"
#include "PreviewPage.h"
#include "ScriptAnswer.h"
#include "ToolError.h"

namespace quenta::preview {

namespace {

using nlohmann::json;

// The page is the server's own: scripts, styles and pictures come from it
// alone, and no other site may frame it.
constexpr char kPolicy[] =
    "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src 'self'; "
    "connect-src 'self'; frame-ancestors 'none'; base-uri 'none'; form-action 'none'";

// A script answer goes out in pieces of this size.
constexpr size_t kAnswerPiece = 32 * 1024;

struct Reply {
    int status = 200;
    std::string type;
    std::string body;
    bool close = false;
};

// A request refused before its body was read leaves the body on the
// connection, where it would be read as the next request: the connection
// is closed after the answer.
Reply Refusal(int status, const std::string& why) { return {status, "text/plain; charset=utf-8", why + "\n", true}; }

Reply JsonReply(const json& body, int status = 200) {
    // Text from the writer's file may hold bytes that are no UTF-8: shown
    // as U+FFFD rather than failing the answer.
    return {status, "application/json", body.dump(-1, ' ', false, json::error_handler_t::replace), false};
}

json BoxJson(const Box& b) { return {{"x", b.x}, {"y", b.y}, {"width", b.width}, {"height", b.height}}; }

json FindingsJson(const std::vector<PlacedFinding>& findings) {
    json list = json::array();
    for (const PlacedFinding& p : findings) {
        const script::Finding& f = p.finding;
        list.push_back({{"check", script::CheckName(f.check)},
                        {"level", script::LevelName(f.level)},
                        {"message", f.message},
                        {"line", f.place.line},
                        {"column", f.place.column},
                        {"at", p.at},
                        {"text", f.text}});
    }
    return list;
}

bool SameName(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

void AddCommonHeaders(MHD_Response* response) {
    MHD_add_response_header(response, "Content-Security-Policy", kPolicy);
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    MHD_add_response_header(response, "X-Frame-Options", "DENY");
    MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
    MHD_add_response_header(response, "Cache-Control", "no-store");
}

MHD_Result Send(MHD_Connection* connection, MHD_Response* response, int status) {
    if (!response) return MHD_NO;
    AddCommonHeaders(response);
    const MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(status), response);
    MHD_destroy_response(response);
    return queued;
}

MHD_Result Send(MHD_Connection* connection, const Reply& answer) {
    MHD_Response* response =
        MHD_create_response_from_buffer(answer.body.size(), const_cast<char*>(answer.body.data()), MHD_RESPMEM_MUST_COPY);
    if (!response) return MHD_NO;
    if (!answer.type.empty()) MHD_add_response_header(response, "Content-Type", answer.type.c_str());
    if (answer.close) MHD_add_response_header(response, "Connection", "close");
    return Send(connection, response, answer.status);
}

// What the request's head holds of the framing and the checks.
struct HeadCount {
    size_t lines = 0;
    size_t host = 0;
    size_t origin = 0;
    size_t contentLength = 0;
    size_t transferEncoding = 0;
};

MHD_Result CountHeader(void* cls, MHD_ValueKind, const char* key, const char*) {
    HeadCount& count = *static_cast<HeadCount*>(cls);
    ++count.lines;
    if (SameName(key, "Host")) ++count.host;
    else if (SameName(key, "Origin")) ++count.origin;
    else if (SameName(key, "Content-Length")) ++count.contentLength;
    else if (SameName(key, "Transfer-Encoding")) ++count.transferEncoding;
    return MHD_YES;
}

std::string HeaderValue(MHD_Connection* connection, const char* name) {
    const char* value = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name);
    return value ? value : "";
}

bool IsJson(const std::string& type) { return type == "application/json" || type.rfind("application/json;", 0) == 0; }

// /picture/<1 to 15 digits>.png: the number, else -1.
int64_t PictureNumber(const std::string& url) {
    constexpr std::string_view kStart = "/picture/", kEnd = ".png";
    if (!url.starts_with(kStart) || !url.ends_with(kEnd)) return -1;
    const std::string digits = url.substr(kStart.size(), url.size() - kStart.size() - kEnd.size());
    if (digits.empty() || digits.size() > 15 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) return -1;
    return std::stoll(digits);
}

std::optional<Reply> CheckHead(MHD_Connection* connection, const std::string& method, const ServerLimits& limits_,
                               const std::string& authority_) {
    HeadCount count;
    MHD_get_connection_values(connection, MHD_HEADER_KIND, &CountHeader, &count);
    if (count.lines > limits_.maxHeaders) {
        return Refusal(431, "more than " + std::to_string(limits_.maxHeaders) + " header lines");
    }
    // Framing said twice may be read one way here and another by a proxy.
    if (count.host > 1 || count.origin > 1 || count.contentLength > 1 ||
        (count.contentLength > 0 && count.transferEncoding > 0)) {
        return Refusal(400, "Host, Origin and Content-Length may each be given once");
    }
    // A rebound name reaches the server with a foreign Host; another site's
    // page sends its own Origin, or says it is cross-site.
    if (HeaderValue(connection, "Host") != authority_) {
        return Refusal(403, "this preview answers only requests for " + authority_);
    }
    const char* origin = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Origin");
    if (origin && origin != "http://" + authority_) return Refusal(403, "requests from other sites are refused");
    const std::string site = HeaderValue(connection, "Sec-Fetch-Site");
    if (site == "cross-site" || site == "same-site") return Refusal(403, "requests from other sites are refused");
    if (method == "POST") {
        // A page elsewhere cannot send this type without asking first, and
        // nothing here answers that question.
        if (!IsJson(HeaderValue(connection, "Content-Type"))) return Refusal(415, "send application/json");
        const std::string length = HeaderValue(connection, "Content-Length");
        if (!length.empty() && !std::all_of(length.begin(), length.end(), ::isdigit)) {
            return Refusal(400, "Content-Length is not a number");
        }
        if (!length.empty() && (length.size() > 18 || std::stoull(length) > limits_.maxBody)) {
            return Refusal(413, "the body is larger than " + std::to_string(limits_.maxBody) + " bytes");
        }
    } else if (method != "GET" && method != "HEAD") {
        return Refusal(405, "only GET and POST are answered");
    }
    return std::nullopt;
}

}  // namespace

struct PreviewServer::Request {
    std::string method;
    std::string url;
    std::string body;
    bool tooLarge = false;
};

// The server library's calls into the preview.
struct ServerCalls {
    static MHD_Result Access(void* cls, MHD_Connection* connection, const char* url, const char* method,
                             const char*, const char* upload, size_t* uploadSize, void** context) {
        auto& server = *static_cast<PreviewServer*>(cls);
        auto* request = static_cast<PreviewServer::Request*>(*context);
        if (!request) {
            // The head is in: refuse what need not be read further.
            if (auto refused = CheckHead(connection, method, server.limits_, server.authority_)) return Send(connection, *refused);
            request = new PreviewServer::Request{method, url, "", false};
            *context = request;
            return MHD_YES;
        }
        if (*uploadSize > 0) {
            // However the body is framed, it is counted as it comes; what is
            // past the cap is dropped unread into memory.
            // The server cannot answer before the body is read: the rest is
            // read and dropped, and the request's deadline bounds how long.
            if (request->tooLarge || request->body.size() + *uploadSize > server.limits_.maxBody) {
                request->tooLarge = true;
                std::string().swap(request->body);
                *uploadSize = 0;
                return MHD_YES;
            }
            request->body.append(upload, *uploadSize);
            *uploadSize = 0;
            return MHD_YES;
        }
        server.deadlines_.Arrived(connection);
        if (request->tooLarge) {
            return Send(connection, Refusal(413, "the body is larger than " + std::to_string(server.limits_.maxBody) + " bytes"));
        }
        return server.Answer(connection, *request) ? MHD_YES : MHD_NO;
    }

    static void Completed(void* cls, MHD_Connection* connection, void** context, MHD_RequestTerminationCode) {
        delete static_cast<PreviewServer::Request*>(*context);
        *context = nullptr;
        // The next request on a kept connection has its own time to arrive.
        static_cast<PreviewServer*>(cls)->deadlines_.Waiting(connection, -1);
    }

    static void Connection(void* cls, MHD_Connection* connection, void**, MHD_ConnectionNotificationCode code) {
        auto& server = *static_cast<PreviewServer*>(cls);
        if (code == MHD_CONNECTION_NOTIFY_CLOSED) return server.deadlines_.Closed(connection);
        const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
        server.deadlines_.Waiting(connection, info ? info->connect_fd : -1);
    }

    static ssize_t ReadAnswer(void* cls, uint64_t, char* into, size_t room) {
        const size_t n = static_cast<ScriptAnswer*>(cls)->Read(into, room);
        return n == 0 ? MHD_CONTENT_READER_END_OF_STREAM : static_cast<ssize_t>(n);
    }

    static void FreeAnswer(void* cls) { delete static_cast<ScriptAnswer*>(cls); }
};

PreviewServer::PreviewServer(ServerLimits limits, ModuleThread& modules, MessagePreviewer& previewer,
                             ScriptWatcher* script)
    : limits_(limits),
      modules_(modules),
      previewer_(previewer),
      script_(script),
      pictures_(limits.keptPictures),
      deadlines_(limits.requestTime) {}

PreviewServer::~PreviewServer() {
    if (listener_ >= 0) ::close(listener_);
}

void PreviewServer::Bind(const std::string& address, int32_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_PASSIVE;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    const std::string where = "cannot listen on " + address + " port " + service;
    if (getaddrinfo(address.c_str(), service.c_str(), &hints, &found) != 0 || !found) throw render::ToolError(where);
    const int fd = ::socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol);
    const int yes = 1;
    if (fd >= 0) ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    const bool listening = fd >= 0 && ::bind(fd, found->ai_addr, found->ai_addrlen) == 0 &&
                           ::listen(fd, static_cast<int>(limits_.connections)) == 0;
    const int reason = errno;
    freeaddrinfo(found);
    if (!listening) {
        if (fd >= 0) ::close(fd);
        throw render::ToolError(where + ": " + std::strerror(reason));
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length);
    const int boundPort = bound.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port)
                                                      : ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    listener_ = fd;
    ipv6_ = bound.ss_family == AF_INET6;
    const std::string host = address.find(':') != std::string::npos ? "[" + address + "]" : address;
    authority_ = host + ":" + std::to_string(boundPort);
}

void PreviewServer::Serve() {
    // A thread per connection, so that a request waiting for the module
    // thread holds up no other; a bounded number of them, each with a
    // bounded memory for its request's head.
    unsigned flags = MHD_USE_THREAD_PER_CONNECTION | MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_POLL;
    if (ipv6_) flags |= MHD_USE_IPv6;
    MHD_Daemon* daemon = MHD_start_daemon(
        flags, 0, nullptr, nullptr, &ServerCalls::Access, this,
        MHD_OPTION_LISTEN_SOCKET, listener_,
        MHD_OPTION_CONNECTION_LIMIT, static_cast<unsigned>(limits_.connections),
        MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(limits_.idleTime.count()),
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, limits_.connectionMemory,
        MHD_OPTION_NOTIFY_COMPLETED, &ServerCalls::Completed, this,
        MHD_OPTION_NOTIFY_CONNECTION, &ServerCalls::Connection, this,
        MHD_OPTION_END);
    if (!daemon) throw render::ToolError("cannot serve on " + authority_);
    listener_ = -1;  // the daemon's now
    std::unique_lock lock(mutex_);
    stopped_.wait(lock, [this] { return stopping_; });
    lock.unlock();
    MHD_stop_daemon(daemon);
}

void PreviewServer::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_all();
}


int PreviewServer::Answer(MHD_Connection* connection, const Request& request) {
    const std::string& url = request.url;
    if (request.method == "POST") {
        if (url != "/api/render") return Send(connection, Refusal(404, "no such call"));
        return AnswerRender(connection, request.body);
    }
    if (url == "/") return Send(connection, Reply{200, "text/html; charset=utf-8", kPreviewPage, false});
    if (const int64_t number = PictureNumber(url); number >= 0) {
        const auto picture = pictures_.Find(number);
        if (!picture) return Send(connection, Refusal(404, "no such picture; draw it again"));
        return Send(connection, Reply{200, "image/png", *picture, false});
    }
    if (url != "/api/script") return Send(connection, Refusal(404, "no such page"));
    if (!script_) return Send(connection, JsonReply({{"script", false}}));
    auto snapshot = script_->Current();
    const char* since = MHD_lookup_connection_value(connection, MHD_GET_ARGUMENT_KIND, "since");
    if (since && since == std::to_string(snapshot->version)) {
        return Send(connection, JsonReply({{"script", true}, {"version", snapshot->version}, {"unchanged", true}}));
    }
    auto* answer = new ScriptAnswer(std::move(snapshot));
    MHD_Response* response = MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, kAnswerPiece, &ServerCalls::ReadAnswer,
                                                               answer, &ServerCalls::FreeAnswer);
    if (!response) {
        delete answer;
        return MHD_NO;
    }
    MHD_add_response_header(response, "Content-Type", "application/json");
    return Send(connection, response, 200);
}

int PreviewServer::AnswerRender(MHD_Connection* connection, const std::string& text) {
    const auto began = std::chrono::steady_clock::now();
    const json body = json::parse(text, nullptr, false);
    if (body.is_discarded() || !body.is_object()) return Send(connection, Refusal(400, "the body is not a JSON object"));

    // Everything the job touches is its own: a job whose caller gave up
    // may still run after the handler returned.
    auto preview = std::make_shared<MessagePreview>();
    // Set when the caller stops waiting: the drawing then stops at its next
    // step instead of holding the module thread from the next request.
    auto stop = std::make_shared<std::atomic<bool>>(false);
    std::function<void()> job;
    MessagePreviewer* previewer = &previewer_;
    if (body.contains("text") && body["text"].is_string()) {
        auto typed = std::make_shared<std::string>(body["text"].get<std::string>());
        job = [previewer, preview, typed, stop] { *preview = previewer->PreviewTyped(*typed, stop.get()); };
    } else if (body.contains("message") && body["message"].is_number_integer() && script_) {
        const auto snapshot = script_->Current();
        const int64_t number = body["message"].get<int64_t>();
        if (number < 1 || number > static_cast<int64_t>(snapshot->messages.size())) {
            return Send(connection, Refusal(404, "the script has no message " + std::to_string(number)));
        }
        job = [previewer, preview, snapshot, number, stop] {
            *preview = previewer->PreviewEntry(*snapshot, static_cast<int32_t>(number), stop.get());
        };
    } else {
        return Send(connection, Refusal(400, "send {\"text\": \"...\"} or, with a script, {\"message\": N}"));
    }
    switch (modules_.Run(std::move(job), limits_.queueTime, limits_.renderTime)) {
        case RunStatus::kBusy: return Send(connection, Refusal(503, "the preview is busy; try again"));
        case RunStatus::kTimedOut:
            *stop = true;
            return Send(connection, Refusal(503, "drawing took too long"));
        case RunStatus::kDone: break;
    }
    json answer = {{"picture", nullptr},
                   {"width", preview->width},
                   {"height", preview->height},
                   {"frame", preview->frame ? BoxJson(*preview->frame) : json(nullptr)},
                   {"overflow", json::array()},
                   {"findings", FindingsJson(preview->findings)},
                   {"error", preview->error}};
    for (const Box& b : preview->overflow) answer["overflow"].push_back(BoxJson(b));
    if (!preview->png.empty()) {
        answer["picture"] = "/picture/" + std::to_string(pictures_.Add(std::move(preview->png))) + ".png";
    }
    answer["serverMs"] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
    return Send(connection, JsonReply(answer));
}

}  // namespace quenta::preview
