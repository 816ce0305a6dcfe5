// Plain text: a blank line ends a message; inside one, a line break becomes
// <R>, as quenta-render reads a file.
#include "ScriptReader.h"

namespace quenta::script {

namespace {

bool IsBlank(const std::string& bytes, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
        if (bytes[i] != ' ' && bytes[i] != '\t') return false;
    }
    return true;
}

}  // namespace

void ReadPlainMessages(const ScriptFile& file, const MessageSink& sink) {
    const std::string& bytes = file.bytes;
    size_t at = TextStart(bytes, file.encoding);
    SourceText message;
    bool open = false;
    while (at < bytes.size()) {
        size_t lineEnd = at;
        while (lineEnd < bytes.size() && bytes[lineEnd] != '\n' && bytes[lineEnd] != '\r') ++lineEnd;
        size_t next = lineEnd;
        if (next < bytes.size()) next += (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n') ? 2 : 1;
        if (IsBlank(bytes, at, lineEnd)) {
            if (open) {
                sink(message);
                message.Clear();
                open = false;
            }
        } else {
            if (open) message.AppendLineBreak(message.end);  // at the line break it stands for
            message.AppendSpan(bytes, at, lineEnd);
            message.end = static_cast<uint32_t>(lineEnd);
            open = true;
        }
        at = next;
    }
    if (open) sink(message);
}

}  // namespace quenta::script
