#include "TextPositions.h"

#include <algorithm>
#include <cstring>

namespace quenta::lsp {

namespace {

int32_t Units(unsigned char lead, PositionEncoding encoding) {
    if ((lead & 0xC0) == 0x80) return encoding == PositionEncoding::kUtf8 ? 1 : 0;
    if (encoding == PositionEncoding::kUtf8) return 1;
    return lead >= 0xF0 ? 2 : 1;
}

}  // namespace

void LineIndex::Reset(std::string_view text) {
    starts_.assign(1, 0);
    const char* data = text.data();
    const size_t size = text.size();
    // The next CR is looked for again only once it is passed: lone CRs are
    // rare, and looking from each line would cost the rest of the text.
    const auto find = [&](char c, size_t from) {
        const void* hit = from < size ? std::memchr(data + from, c, size - from) : nullptr;
        return hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : size;
    };
    size_t cr = find('\r', 0);
    for (size_t i = 0; i < size;) {
        if (cr < i) cr = find('\r', i);
        const size_t lf = find('\n', i);
        if (cr < lf) {
            const size_t next = cr + 1 < size && data[cr + 1] == '\n' ? cr + 2 : cr + 1;
            starts_.push_back(static_cast<uint32_t>(next));
            i = next;
            continue;
        }
        if (lf == size) break;
        starts_.push_back(static_cast<uint32_t>(lf + 1));
        i = lf + 1;
    }
}

uint32_t LineIndex::LineEnd(std::string_view text, int32_t line) const {
    const size_t next = static_cast<size_t>(line) + 1;
    uint32_t end = next < starts_.size() ? starts_[next] : static_cast<uint32_t>(text.size());
    if (next < starts_.size()) {
        if (end > 0 && text[end - 1] == '\n') --end;
        if (end > starts_[static_cast<size_t>(line)] && text[end - 1] == '\r') --end;
    }
    return end;
}

TextPosition LineIndex::At(std::string_view text, uint32_t offset, PositionEncoding encoding) const {
    offset = std::min<uint32_t>(offset, static_cast<uint32_t>(text.size()));
    const auto line = static_cast<int32_t>(std::upper_bound(starts_.begin(), starts_.end(), offset) - starts_.begin() - 1);
    int32_t character = 0;
    for (uint32_t i = starts_[static_cast<size_t>(line)]; i < offset; ++i) {
        character += Units(static_cast<unsigned char>(text[i]), encoding);
    }
    return {line, character};
}

uint32_t LineIndex::OffsetOf(std::string_view text, TextPosition position, PositionEncoding encoding) const {
    if (position.line < 0) return 0;
    if (static_cast<size_t>(position.line) >= starts_.size()) return static_cast<uint32_t>(text.size());
    const uint32_t end = LineEnd(text, position.line);
    uint32_t at = starts_[static_cast<size_t>(position.line)];
    int32_t counted = 0;
    while (at < end) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int32_t units = Units(lead, encoding);
        if (counted + units > position.character) break;
        counted += units;
        ++at;
        // The rest of a character's bytes belong to it.
        if (encoding == PositionEncoding::kUtf16) {
            while (at < end && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
        }
    }
    return at;
}

}  // namespace quenta::lsp
