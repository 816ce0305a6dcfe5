#include "TextPosition.h"

#include "quenta/CharacterBytes.h"

namespace quenta::render {

namespace {

// Counts lines and characters up to `offset`; `length(i)` is the byte
// length of the character that starts at byte i.
template <typename CharacterLength>
TextPosition Locate(std::string_view text, size_t offset, CharacterLength length) {
    TextPosition at;
    for (size_t i = 0; i < offset && i < text.size(); i += length(i)) {
        if (text[i] == '\n') {
            ++at.line;
            at.column = 1;
        } else {
            ++at.column;
        }
    }
    return at;
}

}  // namespace

std::string TextPosition::Describe() const {
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

TextPosition LocateInUtf8(std::string_view text, size_t offset) {
    return Locate(text, offset, [text](size_t i) {
        // Continuation bytes belong to the character before them.
        size_t length = 1;
        while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) ++length;
        return length;
    });
}

TextPosition LocateInCp932(std::string_view text, size_t offset) {
    return Locate(text, offset, [text](size_t i) {
        // A pair never takes the last byte of the text, nor a NUL.
        const bool pair = i + 1 < text.size() && text[i + 1] != '\0' && OpensPair(static_cast<unsigned char>(text[i]));
        return size_t{pair ? 2u : 1u};
    });
}

}  // namespace quenta::render
