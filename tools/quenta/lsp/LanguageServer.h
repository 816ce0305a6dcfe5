// The language server: reads the protocol's messages, keeps the open
// documents and answers each request from their last check. Single
// threaded: a message is handled before the next is read.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "Document.h"
#include "DocumentSettings.h"

#include "markup/PictureSizes.h"

namespace quenta::lsp {

// Opens the picture archive at a path to answer the parser's questions
// about pictures; throws with the reason when it cannot.
using ArchiveOpener = std::function<std::shared_ptr<core::PictureSizes>(const std::string& path)>;

// A message larger than this is dropped with an error (a document is far
// smaller: a message of a script holds at most 256 KiB).
inline constexpr size_t kLargestMessage = 64u << 20;

class LanguageServer {
public:
    // Each message to the client goes to `send`, which returns false when
    // the client can no longer be reached.
    // Without `openArchive`, an archive setting is refused.
    LanguageServer(std::function<bool(const std::string&)> send, std::string version, ArchiveOpener openArchive = nullptr);
    ~LanguageServer();
    LanguageServer(const LanguageServer&) = delete;
    LanguageServer& operator=(const LanguageServer&) = delete;

    // Handles one message; false once the server is done: after exit, or
    // when the client cannot be reached.
    bool Handle(std::string_view body);
    // A message over the limit was read past.
    bool TooLarge();
    // 0 when the client asked for shutdown before exit, 1 otherwise.
    int ExitStatus() const { return shutdown_ && exited_ ? 0 : 1; }

    // The open document at `uri`, or null: for tests and benchmarks.
    const Document* Find(const std::string& uri) const;

private:
    using Params = const nlohmann::json&;
    nlohmann::json Request(const std::string& method, Params params);
    void Notify(const std::string& method, Params params);
    bool Send(const nlohmann::json& message);
    bool Reply(const nlohmann::json& id, nlohmann::json result);
    bool Fail(const nlohmann::json& id, int code, const std::string& message);
    void Show(int type, const std::string& message);

    nlohmann::json Initialize(Params params);
    void Open(Params params);
    void Change(Params params);
    void Configure(const nlohmann::json& settings);
    void Check(Document& document);
    // The settings of the quenta.toml that applies to the document, under
    // the client's, read again when that file changes.
    void Settle(Document& document);
    void Publish(Document& document);
    Document& DocumentOf(Params params);
    core::PictureSizes* PicturesFor(Document& document);

    std::function<bool(const std::string&)> send_;
    std::string version_;
    ArchiveOpener openArchive_;
    bool initialized_ = false;
    bool shutdown_ = false;
    bool exited_ = false;
    bool reachable_ = true;
    bool pushDiagnostics_ = true;
    PositionEncoding encoding_ = PositionEncoding::kUtf16;
    nlohmann::json initializationOptions_;
    nlohmann::json configuration_;
    DocumentSettings base_;
    std::map<std::string, std::unique_ptr<Document>> documents_;

    // Archives by path, opened once and again when the file changes.
    struct Archive {
        std::shared_ptr<core::PictureSizes> opened;
        int64_t stamp = 0;
        int64_t size = -1;
        int32_t generation = 0;
        std::string problem;
    };
    std::map<std::string, Archive> archives_;
    std::map<std::string, int32_t> seenGeneration_;  // by document uri
};

// Serves the protocol on `in` and `out` until exit or the end of input;
// returns the exit status.
int Serve(std::istream& in, std::ostream& out, const std::string& version, std::ostream& log,
          ArchiveOpener openArchive = nullptr);

}  // namespace quenta::lsp
