#include "LanguageServer.h"

#include <sys/stat.h>

#include <exception>
#include <filesystem>
#include <stdexcept>

#include "Features.h"
#include "MessageFraming.h"
#include "CheckCatalogue.h"
#include "ProjectSettings.h"
#include "ScriptError.h"

namespace quenta::lsp {

using nlohmann::json;

namespace {

// The protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

struct ProtocolError {
    int code;
    std::string message;
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "file:///home/a/b%20c.txt" -> "/home/a/b c.txt"; other schemes keep
// their path, which still tells the form by its name.
std::string PathOf(const std::string& uri) {
    std::string_view rest(uri);
    if (const size_t scheme = rest.find("://"); scheme != std::string_view::npos) {
        rest.remove_prefix(scheme + 3);
        rest.remove_prefix(std::min(rest.find('/'), rest.size()));
    }
    std::string path;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 && HexValue(rest[i + 2]) >= 0) {
            path += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
            i += 2;
        } else {
            path += rest[i];
        }
    }
    return path;
}

script::ScriptForm FormOf(const std::string& form, const std::string& path) {
    if (form == "text") return script::ScriptForm::kPlain;
    if (form == "csv") return script::ScriptForm::kCsv;
    if (form == "tsv") return script::ScriptForm::kTsv;
    if (form == "po") return script::ScriptForm::kPo;
    return script::FormOfPath(path);
}

const json& Member(const json& object, const char* key) {
    static const json kNull;
    if (!object.is_object()) return kNull;
    const auto found = object.find(key);
    return found == object.end() ? kNull : *found;
}

std::string StringMember(const json& object, const char* key) {
    const json& value = Member(object, key);
    if (!value.is_string()) throw ProtocolError{kInvalidParams, std::string("'") + key + "' must be a string"};
    return value.get<std::string>();
}

// A project's settings in the client's words, and its checks' levels.
DocumentSettings FromProject(const script::ProjectSettings& project, std::string& problems) {
    json options = json::object();
    if (!project.window.value.empty()) options["window"] = project.window.value;
    if (project.width.value > 0) options["width"] = project.width.value;
    if (project.maxLines.value > 0) options["maxLines"] = project.maxLines.value;
    if (!project.form.value.empty()) options["form"] = project.form.value;
    if (!project.column.value.empty()) options["column"] = project.column.value;
    if (!project.archive.value.empty()) options["archive"] = project.archive.value;
    options["includeFuzzy"] = project.includeFuzzy.value;
    options["resetBetweenMessages"] = project.resetBetweenMessages.value;
    DocumentSettings settings = SettingsFrom(options, DocumentSettings{}, problems);
    for (const auto& [name, level] : project.levels) {
        const std::optional<script::Check> check = script::CheckNamed(name);
        if (!check) continue;
        if (level.value == "off") settings.check.silenced.insert(*check);
        else if (level.value == "note") settings.check.levels[*check] = script::Level::kNote;
        else if (level.value == "warning") settings.check.levels[*check] = script::Level::kWarning;
        else if (level.value == "error") settings.check.levels[*check] = script::Level::kError;
    }
    return settings;
}

std::string Stamp(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return file.string();
    return file.string() + "@" + std::to_string(status.st_mtim.tv_sec) + "." + std::to_string(status.st_mtim.tv_nsec) +
           "+" + std::to_string(status.st_size);
}

}  // namespace

LanguageServer::LanguageServer(std::function<bool(const std::string&)> send, std::string version,
                               ArchiveOpener openArchive)
    : send_(std::move(send)), version_(std::move(version)), openArchive_(std::move(openArchive)) {}

LanguageServer::~LanguageServer() = default;

const Document* LanguageServer::Find(const std::string& uri) const {
    const auto found = documents_.find(uri);
    return found == documents_.end() ? nullptr : found->second.get();
}

bool LanguageServer::Send(const json& message) {
    if (!reachable_) return false;
    // Text from a document is valid UTF-8; anything else is replaced rather
    // than thrown on.
    reachable_ = send_(message.dump(-1, ' ', false, json::error_handler_t::replace));
    return reachable_;
}

bool LanguageServer::Reply(const json& id, json result) {
    return Send({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

bool LanguageServer::Fail(const json& id, int code, const std::string& message) {
    return Send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void LanguageServer::Show(int type, const std::string& message) {
    Send({{"jsonrpc", "2.0"}, {"method", "window/showMessage"}, {"params", {{"type", type}, {"message", "quenta: " + message}}}});
}

bool LanguageServer::TooLarge() {
    Fail(nullptr, kInvalidRequest, "message larger than " + std::to_string(kLargestMessage) + " bytes, dropped");
    return reachable_;
}

bool LanguageServer::Handle(std::string_view body) {
    const json message = json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        Fail(nullptr, kParseError, "not JSON (or not UTF-8)");
        return reachable_;
    }
    const json& id = Member(message, "id");
    const bool hasId = message.is_object() && message.contains("id");
    const json& method = Member(message, "method");
    if (!message.is_object() || !method.is_string() || (hasId && !id.is_string() && !id.is_number_integer())) {
        // A response to a request of ours carries no method: nothing to do.
        if (message.is_object() && hasId && !message.contains("method") &&
            (message.contains("result") || message.contains("error"))) {
            return reachable_;
        }
        Fail(hasId && (id.is_string() || id.is_number_integer()) ? id : json(nullptr), kInvalidRequest,
             "not a request or notification of the protocol");
        return reachable_;
    }
    const std::string name = method.get<std::string>();
    const json& params = Member(message, "params");
    try {
        if (!hasId) {
            Notify(name, params);
            return reachable_ && !exited_;
        }
        if (!initialized_ && name != "initialize") throw ProtocolError{kServerNotInitialized, "initialize comes first"};
        if (shutdown_) throw ProtocolError{kInvalidRequest, "the server is shutting down"};
        Reply(id, Request(name, params));
    } catch (const ProtocolError& error) {
        if (hasId) Fail(id, error.code, error.message);
    } catch (const json::exception& error) {
        if (hasId) Fail(id, kInvalidParams, error.what());
    } catch (const std::exception& error) {
        if (hasId) Fail(id, kInternalError, error.what());
        else Show(1, error.what());
    }
    return reachable_ && !exited_;
}

json LanguageServer::Initialize(Params params) {
    if (initialized_) throw ProtocolError{kInvalidRequest, "initialize was already asked"};
    initialized_ = true;
    const json& capabilities = Member(params, "capabilities");
    const json& encodings = Member(Member(capabilities, "general"), "positionEncodings");
    std::string encoding = "utf-16";
    if (encodings.is_array()) {
        for (const json& e : encodings) {
            if (e == "utf-8") {
                encoding_ = PositionEncoding::kUtf8;
                encoding = "utf-8";
            }
        }
    }
    pushDiagnostics_ = Member(Member(capabilities, "textDocument"), "diagnostic").is_null();
    initializationOptions_ = Member(params, "initializationOptions");
    std::string problems;
    base_ = SettingsFrom(initializationOptions_, DocumentSettings{}, problems);
    if (!problems.empty()) Show(2, "settings: " + problems);
    return {{"capabilities",
             {{"positionEncoding", encoding},
              {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
              {"diagnosticProvider", {{"interFileDependencies", false}, {"workspaceDiagnostics", false}}},
              {"codeActionProvider", {{"codeActionKinds", {"quickfix", "source.fixAll.quenta"}}}},
              {"hoverProvider", true},
              {"completionProvider", {{"triggerCharacters", {"<", "/"}}}},
              {"inlayHintProvider", true},
              {"colorProvider", true},
              {"documentFormattingProvider", true},
              {"documentSymbolProvider", true}}},
            {"serverInfo", {{"name", "quenta"}, {"version", version_}}}};
}

Document& LanguageServer::DocumentOf(Params params) {
    const std::string uri = StringMember(Member(params, "textDocument"), "uri");
    const auto found = documents_.find(uri);
    if (found == documents_.end()) throw ProtocolError{kInvalidParams, "no document is open at " + uri};
    return *found->second;
}

json LanguageServer::Request(const std::string& method, Params params) {
    if (method == "initialize") return Initialize(params);
    if (method == "shutdown") {
        shutdown_ = true;
        return nullptr;
    }
    if (method.rfind("textDocument/", 0) != 0) throw ProtocolError{kMethodNotFound, "no method " + method};
    Document& document = DocumentOf(params);
    const FeatureContext context{document, encoding_};
    if (method == "textDocument/diagnostic") return {{"kind", "full"}, {"items", Diagnostics(context)}};
    if (method == "textDocument/codeAction") return CodeActions(context, params);
    if (method == "textDocument/hover") return Hover(context, params);
    if (method == "textDocument/completion") return Completion(context, params);
    if (method == "textDocument/inlayHint") return InlayHints(context, params);
    if (method == "textDocument/documentColor") return DocumentColors(context);
    if (method == "textDocument/colorPresentation") return ColorPresentations(context, params);
    if (method == "textDocument/formatting") return Formatting(context);
    if (method == "textDocument/documentSymbol") return DocumentSymbols(context);
    throw ProtocolError{kMethodNotFound, "no method " + method};
}

void LanguageServer::Notify(const std::string& method, Params params) {
    if (method == "exit") {
        exited_ = true;
        return;
    }
    if (!initialized_ || shutdown_) return;
    try {
        if (method == "textDocument/didOpen") {
            Open(params);
        } else if (method == "textDocument/didChange") {
            Change(params);
        } else if (method == "textDocument/didClose") {
            const std::string uri = StringMember(Member(params, "textDocument"), "uri");
            if (documents_.erase(uri) && pushDiagnostics_) {
                Send({{"jsonrpc", "2.0"},
                      {"method", "textDocument/publishDiagnostics"},
                      {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
            }
        } else if (method == "workspace/didChangeConfiguration") {
            Configure(Member(Member(params, "settings"), "quenta"));
        } else if (method == "workspace/didChangeWatchedFiles") {
            for (auto& [uri, document] : documents_) {
                document->checked.Forget();
                Check(*document);
                Publish(*document);
            }
        }
    } catch (const ProtocolError& error) {
        Show(1, method + ": " + error.message);
    } catch (const json::exception& error) {
        Show(1, method + ": " + error.what());
    }
}

void LanguageServer::Configure(const json& settings) {
    configuration_ = settings;
    std::string problems;
    base_ = SettingsFrom(settings, SettingsFrom(initializationOptions_, DocumentSettings{}, problems), problems);
    if (!problems.empty()) Show(2, "settings: " + problems);
    for (auto& [uri, document] : documents_) {
        document->projectStamp = "unread";
        Check(*document);
        Publish(*document);
    }
}

void LanguageServer::Settle(Document& document) {
    const std::string& path = document.file.path;
    std::optional<std::filesystem::path> project;
    if (!path.empty() && path.front() == '/') project = script::FindProjectFile(path);
    const std::string stamp = project ? Stamp(*project) : "";
    if (stamp == document.projectStamp) return;
    document.projectStamp = stamp;
    std::string problems;
    DocumentSettings settings;
    if (project) {
        try {
            settings = FromProject(script::SettingsResolver(script::SettingsChoice{}).For(path), problems);
        } catch (const script::ScriptError& error) {
            Show(1, error.what());
        }
    }
    // The client's settings over the project's.
    settings = SettingsFrom(configuration_, SettingsFrom(initializationOptions_, settings, problems), problems);
    document.settings = settings;
    document.file.form = FormOf(settings.form, path);
    document.file.column = settings.column;
    document.file.includeFuzzy = settings.includeFuzzy;
    document.checked.Forget();
}

void LanguageServer::Open(Params params) {
    const json& item = Member(params, "textDocument");
    const std::string uri = StringMember(item, "uri");
    auto document = std::make_unique<Document>();
    document->uri = uri;
    document->version = Member(item, "version").is_number_integer() ? Member(item, "version").get<int64_t>() : 0;
    document->settings = base_;
    document->file.path = PathOf(uri);
    document->file.bytes = StringMember(item, "text");
    document->file.form = FormOf(base_.form, document->file.path);
    document->file.column = base_.column;
    document->file.includeFuzzy = base_.includeFuzzy;
    document->lines.Reset(document->Text());
    Document& opened = *(documents_[uri] = std::move(document));
    Check(opened);
    Publish(opened);
}

void LanguageServer::Change(Params params) {
    Document& document = DocumentOf(params);
    const json& changes = Member(params, "contentChanges");
    if (!changes.is_array()) throw ProtocolError{kInvalidParams, "'contentChanges' must be a list"};
    const FeatureContext context{document, encoding_};
    for (const json& change : changes) {
        const std::string text = StringMember(change, "text");
        if (change.contains("range")) {
            const auto [begin, end] = OffsetsOf(context, change["range"]);
            document.file.bytes.replace(begin, end - begin, text);
        } else {
            document.file.bytes = text;
        }
        document.lines.Reset(document.Text());
    }
    const json& version = Member(Member(params, "textDocument"), "version");
    if (version.is_number_integer()) document.version = version.get<int64_t>();
    Check(document);
    Publish(document);
}

core::PictureSizes* LanguageServer::PicturesFor(Document& document) {
    const std::string& path = document.settings.archive;
    if (path.empty()) return nullptr;
    Archive& archive = archives_[path];
    // A changed archive is opened again, and every document that asked the
    // old one is checked anew.
    struct stat status {};
    const bool there = ::stat(path.c_str(), &status) == 0;
    const int64_t stamp = there ? static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec : -1;
    const int64_t size = there ? static_cast<int64_t>(status.st_size) : -1;
    if (archive.generation == 0 || stamp != archive.stamp || size != archive.size) {
        archive.opened.reset();
        archive.problem.clear();
        archive.stamp = stamp;
        archive.size = size;
        ++archive.generation;
        try {
            if (!openArchive_) throw std::runtime_error("this server opens no archives");
            archive.opened = openArchive_(path);
        } catch (const std::exception& error) {
            archive.problem = error.what();
            Show(1, "archive " + path + ": " + archive.problem);
        }
    }
    int32_t& seen = seenGeneration_[document.uri];
    if (seen != archive.generation) {
        seen = archive.generation;
        document.checked.Forget();
    }
    return archive.opened.get();
}

void LanguageServer::Check(Document& document) {
    Settle(document);
    document.settings.check.pictures = PicturesFor(document);
    document.error.clear();
    try {
        document.checked.Check(document.file, document.settings.check);
    } catch (const script::ScriptError& error) {
        document.error = error.what();
    }
}

void LanguageServer::Publish(Document& document) {
    if (!pushDiagnostics_) return;
    const FeatureContext context{document, encoding_};
    Send({{"jsonrpc", "2.0"},
          {"method", "textDocument/publishDiagnostics"},
          {"params", {{"uri", document.uri}, {"version", document.version}, {"diagnostics", Diagnostics(context)}}}});
}

int Serve(std::istream& in, std::ostream& out, const std::string& version, std::ostream& log,
          ArchiveOpener openArchive) {
    LanguageServer server([&](const std::string& body) { return WriteFrame(out, body); }, version,
                          std::move(openArchive));
    FrameReader reader(in, kLargestMessage);
    for (;;) {
        Frame frame = reader.Next();
        switch (frame.status) {
            case FrameStatus::kMessage:
                if (!server.Handle(frame.body)) return server.ExitStatus();
                break;
            case FrameStatus::kTooLarge:
                if (!server.TooLarge()) return server.ExitStatus();
                break;
            case FrameStatus::kBadHeader:
                log << "quenta lsp: a message without a readable header; no way to read on\n";
                return 1;
            case FrameStatus::kEnd:
                return 1;  // the client went away without exit
        }
    }
}

}  // namespace quenta::lsp
