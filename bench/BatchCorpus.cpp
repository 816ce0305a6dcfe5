#include "BatchCorpus.h"

#include <fstream>
#include <stdexcept>

#include "Encoding.h"
#include "quenta/CharacterBytes.h"

namespace quenta::bench {

namespace {

// 26 characters of size 24 fill 624 of the window's 640 pixels.
constexpr int kLineCharacters = 26;
constexpr size_t kLinesPerMessage = 3;

// The chapter's lines, each cut to kLineCharacters characters; "<<" (a
// literal "<") counts as one and is never cut in half.
std::vector<std::string> CutLines(const std::string& chapter) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < chapter.size()) {
        size_t end = chapter.find("<R>", start);
        if (end == std::string::npos) end = chapter.size();
        std::string line;
        int characters = 0;
        for (size_t i = start; i < end && characters < kLineCharacters; ++characters) {
            const size_t bytes = chapter.compare(i, 2, "<<") == 0 ? 2 : static_cast<size_t>(CharacterBytes(chapter.c_str() + i));
            line.append(chapter, i, bytes);
            i += bytes;
        }
        if (line.find_first_not_of(" \t") != std::string::npos) lines.push_back(line);
        start = end + 3;
    }
    if (lines.empty()) throw std::runtime_error("the long text has no lines");
    return lines;
}

std::string Unescaped(const std::string& cp932) {
    std::string text;
    for (size_t i = 0; i < cp932.size(); ++i) {
        text += cp932[i];
        if (cp932[i] == '<' && i + 1 < cp932.size() && cp932[i + 1] == '<') ++i;
    }
    return text;
}

}  // namespace

std::vector<CorpusMessage> CorpusMessages(const std::string& chapter, size_t count) {
    const std::vector<std::string> lines = CutLines(chapter);
    std::vector<CorpusMessage> messages;
    messages.reserve(count);
    size_t next = 0;
    for (size_t m = 0; m < count; ++m) {
        CorpusMessage message;
        message.quenta = "<S24>";
        message.script = "<S24>";
        for (size_t l = 0; l < kLinesPerMessage; ++l, next = (next + 1) % lines.size()) {
            if (l > 0) {
                message.quenta += "<R>";
                message.script += "\n";
                message.pango += "\n";
            }
            message.quenta += lines[next];
            message.script += lines[next];
            message.pango += Cp932ToUtf8(Unescaped(lines[next]));
        }
        message.quenta += "</S>";
        message.script += "</S>";
        messages.push_back(std::move(message));
    }
    return messages;
}

std::string PlainScript(const std::vector<CorpusMessage>& messages) {
    std::string script;
    for (const CorpusMessage& message : messages) script += message.script + "\n\n";
    return script;
}

ScriptCorpus::~ScriptCorpus() {
    std::error_code ignored;
    for (const auto& entry : scripts_) std::filesystem::remove(entry.second, ignored);
}

const std::filesystem::path& ScriptCorpus::Script(size_t count) {
    auto found = scripts_.find(count);
    if (found != scripts_.end()) return found->second;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("quenta-bench-script-" + std::to_string(count) + ".txt");
    const std::vector<CorpusMessage> first(messages.begin(), messages.begin() + static_cast<std::ptrdiff_t>(std::min(count, messages.size())));
    std::ofstream(path, std::ios::binary) << PlainScript(first);
    return scripts_.emplace(count, path).first->second;
}

}  // namespace quenta::bench
