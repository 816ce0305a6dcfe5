// Many window-sized messages from the long text, for drawing a whole script:
// its non-empty lines, each cut to what fits a 640-pixel line at size 24,
// three lines to a message, taken round the text again until there are
// enough messages.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quenta::bench {

struct CorpusMessage {
    std::string quenta;  // code page 932 in Quenta's markup, lines broken by <R>
    std::string pango;   // UTF-8, the same characters, lines broken by '\n'
    std::string script;  // code page 932 as a plain-text script writes it
};

std::vector<CorpusMessage> CorpusMessages(const std::string& chapter, size_t count);

// The messages as one plain-text script (code page 932): each message's
// lines, and a blank line after it.
std::string PlainScript(const std::vector<CorpusMessage>& messages);

// The corpus the script cases share: kMost messages, and script files of
// the first so many of them, written to the temporary folder when first
// asked for.
class ScriptCorpus {
public:
    static constexpr size_t kMost = 10000;
    explicit ScriptCorpus(const std::string& chapter) : messages(CorpusMessages(chapter, kMost)) {}
    ScriptCorpus(const ScriptCorpus&) = delete;
    ScriptCorpus& operator=(const ScriptCorpus&) = delete;
    ~ScriptCorpus();  // removes the script files
    const std::filesystem::path& Script(size_t count);

    const std::vector<CorpusMessage> messages;

private:
    std::map<size_t, std::filesystem::path> scripts_;
};

}  // namespace quenta::bench
