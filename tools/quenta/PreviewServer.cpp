#include "PreviewServer.h"

#include <httplib.h>

#include <chrono>
#include <nlohmann/json.hpp>

#include "CheckCatalogue.h"
#include "PreviewPage.h"
#include "ToolError.h"

namespace quenta::preview {

namespace {

using nlohmann::json;

// The page is the server's own: scripts, styles and pictures come from it
// alone, and no other site may frame it.
constexpr char kPolicy[] =
    "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src 'self'; "
    "connect-src 'self'; frame-ancestors 'none'; base-uri 'none'; form-action 'none'";

void Refuse(httplib::Response& res, int status, const std::string& why) {
    res.status = status;
    // A request refused before its body was read leaves the body on the
    // connection, where it would be read as the next request.
    res.set_header("Connection", "close");
    res.set_content(why + "\n", "text/plain; charset=utf-8");
}

void SendJson(httplib::Response& res, const json& body, int status = 200) {
    res.status = status;
    // Text from the writer's file may hold bytes that are no UTF-8: shown
    // as U+FFFD rather than failing the answer.
    res.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
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

bool IsJson(const httplib::Request& req) {
    const std::string type = req.get_header_value("Content-Type");
    return type == "application/json" || type.rfind("application/json;", 0) == 0;
}

}  // namespace

PreviewServer::PreviewServer(ServerLimits limits, ModuleThread& modules, MessagePreviewer& previewer,
                             ScriptWatcher* script)
    : limits_(limits),
      modules_(modules),
      previewer_(previewer),
      script_(script),
      pictures_(limits.keptPictures),
      server_(std::make_unique<httplib::Server>()) {
    Route();
}

PreviewServer::~PreviewServer() = default;

void PreviewServer::Bind(const std::string& address, int32_t port) {
    const int bound = port == 0 ? server_->bind_to_any_port(address) : (server_->bind_to_port(address, port) ? port : -1);
    if (bound < 0) {
        throw render::ToolError("cannot listen on " + address + " port " + std::to_string(port));
    }
    const std::string host = address.find(':') != std::string::npos ? "[" + address + "]" : address;
    authority_ = host + ":" + std::to_string(bound);
}

void PreviewServer::Serve() { server_->listen_after_bind(); }

void PreviewServer::Stop() { server_->stop(); }

void PreviewServer::Route() {
    httplib::Server& s = *server_;
    s.set_payload_max_length(limits_.maxBody);
    s.set_read_timeout(5, 0);
    s.set_write_timeout(5, 0);
    s.set_keep_alive_timeout(2);
    s.set_keep_alive_max_count(100);
    // Small answers go out at once, not after the peer's delayed
    // acknowledgement (some 40 ms a request).
    s.set_tcp_nodelay(true);
    s.set_default_headers({{"Content-Security-Policy", kPolicy},
                           {"X-Content-Type-Options", "nosniff"},
                           {"X-Frame-Options", "DENY"},
                           {"Referrer-Policy", "no-referrer"},
                           {"Cache-Control", "no-store"}});

    // A rebound name reaches the server with a foreign Host; another site's
    // page sends its own Origin, or says it is cross-site.
    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        using Handled = httplib::Server::HandlerResponse;
        if (req.get_header_value("Host") != authority_) {
            Refuse(res, 403, "this preview answers only requests for " + authority_);
            return Handled::Handled;
        }
        if (req.has_header("Origin") && req.get_header_value("Origin") != "http://" + authority_) {
            Refuse(res, 403, "requests from other sites are refused");
            return Handled::Handled;
        }
        const std::string site = req.get_header_value("Sec-Fetch-Site");
        if (site == "cross-site" || site == "same-site") {
            Refuse(res, 403, "requests from other sites are refused");
            return Handled::Handled;
        }
        // A page elsewhere cannot send this type without asking first, and
        // nothing here answers that question.
        if (req.method == "POST" && !IsJson(req)) {
            Refuse(res, 415, "send application/json");
            return Handled::Handled;
        }
        return Handled::Unhandled;
    });

    s.Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(kPreviewPage, "text/html; charset=utf-8");
    });

    s.Get(R"(/picture/(\d{1,15})\.png)", [this](const httplib::Request& req, httplib::Response& res) {
        const auto picture = pictures_.Find(std::stoll(req.matches[1].str()));
        if (!picture) return Refuse(res, 404, "no such picture; draw it again");
        res.set_content(*picture, "image/png");
    });

    s.Get("/api/script", [this](const httplib::Request& req, httplib::Response& res) {
        if (!script_) return SendJson(res, {{"script", false}});
        const auto snapshot = script_->Current();
        const std::string since = req.get_param_value("since");
        if (!since.empty() && since == std::to_string(snapshot->version)) {
            return SendJson(res, {{"script", true}, {"version", snapshot->version}, {"unchanged", true}});
        }
        json messages = json::array();
        for (const ScriptEntry& m : snapshot->messages) {
            int32_t errors = 0, warnings = 0;
            for (const PlacedFinding& f : m.findings) {
                if (f.finding.level == script::Level::kError) ++errors;
                else if (f.finding.level == script::Level::kWarning) ++warnings;
            }
            messages.push_back({{"number", m.number},
                                {"line", m.line},
                                {"text", m.shown},
                                {"errors", errors},
                                {"warnings", warnings}});
        }
        SendJson(res, {{"script", true},
                       {"version", snapshot->version},
                       {"path", snapshot->path},
                       {"error", snapshot->error},
                       {"messages", messages}});
    });

    s.Post("/api/render", [this](const httplib::Request& req, httplib::Response& res) {
        const auto began = std::chrono::steady_clock::now();
        const json body = json::parse(req.body, nullptr, false);
        if (body.is_discarded() || !body.is_object()) return Refuse(res, 400, "the body is not a JSON object");

        // Everything the job touches is its own: a job whose caller gave up
        // may still run after the handler returned.
        auto preview = std::make_shared<MessagePreview>();
        std::function<void()> job;
        MessagePreviewer* previewer = &previewer_;
        if (body.contains("text") && body["text"].is_string()) {
            auto text = std::make_shared<std::string>(body["text"].get<std::string>());
            job = [previewer, preview, text] { *preview = previewer->PreviewTyped(*text); };
        } else if (body.contains("message") && body["message"].is_number_integer() && script_) {
            const auto snapshot = script_->Current();
            const int64_t number = body["message"].get<int64_t>();
            if (number < 1 || number > static_cast<int64_t>(snapshot->messages.size())) {
                return Refuse(res, 404, "the script has no message " + std::to_string(number));
            }
            job = [previewer, preview, snapshot, number] {
                *preview = previewer->PreviewEntry(*snapshot, static_cast<int32_t>(number));
            };
        } else {
            return Refuse(res, 400, "send {\"text\": \"...\"} or, with a script, {\"message\": N}");
        }
        switch (modules_.Run(std::move(job), limits_.renderTime)) {
            case RunStatus::kBusy: return Refuse(res, 503, "the preview is busy; try again");
            case RunStatus::kTimedOut: return Refuse(res, 503, "drawing took too long");
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
        answer["serverMs"] =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
        SendJson(res, answer);
    });
}

}  // namespace quenta::preview
