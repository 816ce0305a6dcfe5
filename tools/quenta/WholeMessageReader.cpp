// The whole file as one message, as `quenta render` and the preview's typed
// text read it.
#include "ScriptReader.h"

namespace quenta::script {

void ReadWholeMessage(const ScriptFile& file, const MessageSink& sink) {
    const std::string& bytes = file.bytes;
    size_t at = TextStart(bytes, file.encoding);
    SourceText text;
    for (; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (file.keepNewlines || (c != '\n' && c != '\r')) {
            text.Append(c, static_cast<uint32_t>(at));
            continue;
        }
        const size_t breakAt = at;
        if (c == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') ++at;
        if (at + 1 < bytes.size()) text.AppendLineBreak(static_cast<uint32_t>(breakAt));
    }
    text.end = static_cast<uint32_t>(bytes.size());
    sink(text);
}

}  // namespace quenta::script
