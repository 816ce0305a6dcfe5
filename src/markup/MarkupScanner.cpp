#include "markup/MarkupScanner.h"

#include "quenta/CharacterBytes.h"

namespace quenta::core {

namespace {

bool IsTagNameByte(unsigned char c) { return c == '/' || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool MarkupScanner::NextChar(TextString& piece) {
    if (!position_) return false;
    if (position_[0] == '\0') return false;
    const int32_t length = CharacterBytes(position_);
    piece.Assign(position_, length);
    position_ += length;
    return true;
}

bool MarkupScanner::ReadTagName(TextString& name) {
    if (!position_) return false;
    const char* end = position_;
    while (IsTagNameByte(static_cast<unsigned char>(*end))) ++end;
    const auto length = static_cast<int32_t>(end - position_);
    name.Assign(position_, length);
    // A name the string had no room for is consumed and left empty, so that
    // the caller can tell it from a name that was read and never applies a
    // name read earlier in its place.
    if (name.capacity < length + 1) name.Assign("");
    position_ = end;
    return length > 0;
}

bool MarkupScanner::ReadNumber(int32_t& value) {
    if (!position_) return false;
    const char* end = position_;
    int64_t parsed = 0;
    bool overflow = false;
    while (IsDigit(static_cast<unsigned char>(*end))) {
        if (!overflow) {
            parsed = parsed * 10 + (*end - '0');
            overflow = parsed > INT32_MAX;
        }
        ++end;
    }
    if (end == position_ || overflow) return false;
    value = static_cast<int32_t>(parsed);
    position_ = end;
    return true;
}

bool MarkupScanner::Expect(const char* literal) {
    const char* start = position_;
    if (NextChar(scratch_) && scratch_.Equals(literal)) return true;
    position_ = start;
    return false;
}

}  // namespace quenta::core
