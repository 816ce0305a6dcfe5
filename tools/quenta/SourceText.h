// A message's bytes in the file's own encoding, gathered by a reader from
// the pieces of the file that hold it, each byte with its file offset.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenta::script {

// A writer's flag that accepts one check's findings in this message,
// "quenta-ignore-NAME", and where in the file it is written.
struct AcceptFlag {
    std::string check;  // NAME, as written
    uint32_t at = 0;    // file offset of the flag
};

struct SourceText {
    std::string bytes;
    std::vector<uint32_t> origin;  // one per byte
    uint32_t end = 0;              // the file offset just after the message
    bool cFormat = false;          // a printf format (a PO entry flagged c-format)
    // The message's identity, where its form gives one (a PO entry's
    // context and id, a CSV key column); empty for plain text.
    std::string key;
    std::vector<AcceptFlag> accepted;

    void Append(char byte, uint32_t at) {
        bytes += byte;
        origin.push_back(at);
    }
    // The file's bytes [from, to), each standing for itself.
    void AppendSpan(const std::string& file, size_t from, size_t to) {
        bytes.append(file, from, to - from);
        for (size_t i = from; i < to; ++i) origin.push_back(static_cast<uint32_t>(i));
    }
    void Append(const char* text, uint32_t at) {
        for (; *text; ++text) Append(*text, at);
    }
    // A line break written in the file becomes the break tag, as a host's
    // text would hold it.
    void AppendLineBreak(uint32_t at) { Append("<R>", at); }
    void Clear() {
        bytes.clear();
        origin.clear();
        end = 0;
        cFormat = false;
        key.clear();
        accepted.clear();
    }
};

}  // namespace quenta::script
