// The language server on arbitrary input, two ways. With the first byte
// even, the rest is what a client sent after initialize: framed or not,
// JSON or not, read through the server's own framing until exit or the
// end. With it odd, the rest is a document and edits to it, split at 0xFF
// bytes: the first piece is opened, each further piece is a change (four
// bytes of range, then the text put there) followed by a request at that
// place. Beyond the sanitizers it holds the server to its promise: after
// the edits its findings are what a check of the final text from scratch
// finds.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CheckCatalogue.h"
#include "LanguageServer.h"
#include "MessageFraming.h"
#include "Require.h"
#include "ScriptChecker.h"

using namespace quenta;
using fuzzing::Require;
using nlohmann::json;

namespace {

const char* const kRequests[] = {"textDocument/hover",      "textDocument/completion",    "textDocument/codeAction",
                                 "textDocument/inlayHint",  "textDocument/documentColor", "textDocument/formatting",
                                 "textDocument/documentSymbol", "textDocument/diagnostic"};

std::string Frame(const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body; }

std::string Dump(const json& message) { return message.dump(-1, ' ', false, json::error_handler_t::replace); }

const json kInitialize = {{"jsonrpc", "2.0"}, {"id", 0}, {"method", "initialize"},
                          {"params", {{"capabilities", json::object()},
                                      {"initializationOptions", {{"window", "200x64"}, {"maxLines", 2}, {"formatting", true}}}}}};

void RawStream(const uint8_t* data, size_t size) {
    std::istringstream in(Frame(Dump(kInitialize)) + std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out, log;
    lsp::Serve(in, out, "fuzz", log);
}

std::vector<std::string> FindingLines(const std::vector<script::Finding>& findings) {
    std::vector<std::string> lines;
    for (const script::Finding& f : findings) lines.push_back(std::to_string(f.offset) + f.text);
    return lines;
}

void Edits(const uint8_t* data, size_t size) {
    std::vector<std::string> pieces(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF) pieces.emplace_back();
        else pieces.back() += static_cast<char>(data[i]);
    }
    lsp::LanguageServer server([](const std::string&) { return true; }, "fuzz");
    server.Handle(Dump(kInitialize));
    const std::string uri = "file:///fuzz.txt";
    server.Handle(Dump({{"jsonrpc", "2.0"}, {"method", "textDocument/didOpen"},
                        {"params", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", pieces[0]}}}}}}));
    for (size_t i = 1; i < pieces.size(); ++i) {
        std::string piece = pieces[i];
        piece.resize(std::max<size_t>(piece.size(), 4), '\0');
        const auto at = [&](size_t k) { return json{{"line", piece[k] & 0x0F}, {"character", (piece[k] >> 4) & 0x0F}}; };
        const json range = {{"start", at(0)}, {"end", at(1)}};
        server.Handle(Dump({{"jsonrpc", "2.0"}, {"method", "textDocument/didChange"},
                            {"params", {{"textDocument", {{"uri", uri}, {"version", i + 1}}},
                                        {"contentChanges", json::array({{{"range", range}, {"text", piece.substr(4)}}})}}}}));
        server.Handle(Dump({{"jsonrpc", "2.0"}, {"id", i}, {"method", kRequests[static_cast<uint8_t>(piece[2]) % 8]},
                            {"params", {{"textDocument", {{"uri", uri}}}, {"position", at(3)}, {"range", range}}}}));
    }
    const lsp::Document* document = server.Find(uri);
    Require(document != nullptr, "the document stays open");
    if (!document->error.empty()) return;
    std::vector<script::Finding> incremental;
    for (const lsp::MessageRecord& record : document->checked.Messages()) {
        incremental.insert(incremental.end(), record.findings.begin(), record.findings.end());
    }
    const script::FileFindings scratch = script::CheckScript(document->file, document->settings.check);
    Require(FindingLines(incremental) == FindingLines(scratch.findings),
            "the findings after edits are what a check from scratch finds");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 1 << 16) return -1;
    try {
        if (data[0] % 2 == 0) RawStream(data + 1, size - 1);
        else Edits(data + 1, size - 1);
    } catch (const std::exception&) {
        // Only what the protocol cannot carry: the server itself throws nothing out.
        Require(false, "the server throws nothing out of Handle");
    }
    return 0;
}
