// A client of the language server inside the test process: it hands the
// server each message and keeps every message the server sends.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "LanguageServer.h"
#include "TextPositions.h"

namespace quenta::lsp::testing {

using nlohmann::json;

class LspClient {
public:
    LspClient();
    // initialize with these options and capabilities, then initialized.
    json Initialize(const json& options, const json& capabilities = json::object());
    json Request(const std::string& method, const json& params);
    void Notify(const std::string& method, const json& params);
    // Hands a raw body over, as a client would send it.
    void Raw(const std::string& body) { server_.Handle(body); }

    void Open(const std::string& uri, const std::string& text, int version = 1);
    void Replace(const std::string& uri, const json& range, const std::string& text, int version);
    // The diagnostics last published for `uri`.
    json Diagnostics(const std::string& uri) const;
    const std::vector<json>& Sent() const { return sent_; }
    LanguageServer& Server() { return server_; }

private:
    std::vector<json> sent_;
    LanguageServer server_;
    int nextId_ = 1;
};

json At(int line, int character);
json Span(int line, int from, int to);

// `text` with the TextEdits applied (positions in UTF-16).
std::string Apply(const std::string& text, const json& edits);

}  // namespace quenta::lsp::testing
