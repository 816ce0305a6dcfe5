// Where a byte offset of a document lies as the client counts it: a line
// from 0 (ended by LF, CRLF or CR) and a character in the negotiated
// encoding's code units (UTF-16 by default, UTF-8 where the client offers it).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quenta::lsp {

enum class PositionEncoding { kUtf16, kUtf8 };

struct TextPosition {
    int32_t line = 0;
    int32_t character = 0;
};

class LineIndex {
public:
    void Reset(std::string_view text);
    TextPosition At(std::string_view text, uint32_t offset, PositionEncoding encoding) const;
    // The offset of a position; a position past its line's end is its end,
    // one past the last line the text's end.
    uint32_t OffsetOf(std::string_view text, TextPosition position, PositionEncoding encoding) const;
    int32_t Lines() const { return static_cast<int32_t>(starts_.size()); }
    uint32_t LineStart(int32_t line) const { return starts_[static_cast<size_t>(line)]; }
    // Where the line's text ends, before its line break.
    uint32_t LineEnd(std::string_view text, int32_t line) const;

private:
    std::vector<uint32_t> starts_{0};
};

}  // namespace quenta::lsp
