#include "LspClient.h"

#include <algorithm>
#include <stdexcept>

namespace quenta::lsp::testing {

LspClient::LspClient()
    : server_([this](const std::string& body) {
          sent_.push_back(json::parse(body));
          return true;
      },
              "test") {}

json LspClient::Initialize(const json& options, const json& capabilities) {
    json result = Request("initialize", {{"processId", nullptr}, {"capabilities", capabilities}, {"initializationOptions", options}});
    Notify("initialized", json::object());
    return result;
}

json LspClient::Request(const std::string& method, const json& params) {
    const int id = nextId_++;
    server_.Handle(json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}.dump());
    for (auto it = sent_.rbegin(); it != sent_.rend(); ++it) {
        if (it->contains("id") && (*it)["id"] == id) return *it;
    }
    throw std::runtime_error("no answer to " + method);
}

void LspClient::Notify(const std::string& method, const json& params) {
    server_.Handle(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump());
}

void LspClient::Open(const std::string& uri, const std::string& text, int version) {
    Notify("textDocument/didOpen",
           {{"textDocument", {{"uri", uri}, {"languageId", "quenta"}, {"version", version}, {"text", text}}}});
}

void LspClient::Replace(const std::string& uri, const json& range, const std::string& text, int version) {
    json change = json::object();
    change["range"] = range;
    change["text"] = text;
    json params = json::object();
    params["textDocument"] = {{"uri", uri}, {"version", version}};
    params["contentChanges"] = json::array({change});
    Notify("textDocument/didChange", params);
}

json LspClient::Diagnostics(const std::string& uri) const {
    for (auto it = sent_.rbegin(); it != sent_.rend(); ++it) {
        if (it->value("method", "") == "textDocument/publishDiagnostics" && (*it)["params"]["uri"] == uri) {
            return (*it)["params"]["diagnostics"];
        }
    }
    return nullptr;
}

json At(int line, int character) { return {{"line", line}, {"character", character}}; }
json Span(int line, int from, int to) { return {{"start", At(line, from)}, {"end", At(line, to)}}; }

std::string Apply(const std::string& text, const json& edits) {
    LineIndex lines;
    lines.Reset(text);
    std::vector<std::tuple<uint32_t, uint32_t, std::string>> spans;
    for (const json& e : edits) {
        const auto offset = [&](const json& p) {
            return lines.OffsetOf(text, {p["line"].get<int32_t>(), p["character"].get<int32_t>()}, PositionEncoding::kUtf16);
        };
        spans.emplace_back(offset(e["range"]["start"]), offset(e["range"]["end"]), e["newText"].get<std::string>());
    }
    std::sort(spans.begin(), spans.end(), [](const auto& a, const auto& b) { return std::get<0>(a) > std::get<0>(b); });
    std::string out = text;
    for (const auto& [begin, end, replacement] : spans) out.replace(begin, end - begin, replacement);
    return out;
}

}  // namespace quenta::lsp::testing
