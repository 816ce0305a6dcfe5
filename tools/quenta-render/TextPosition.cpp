#include "TextPosition.h"

#include "quenta/CharacterBytes.h"

namespace quenta::render {

std::string TextPosition::Describe() const {
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

TextPosition LocateInUtf8(std::string_view text, size_t offset) {
    TextPosition at;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++at.line;
            at.column = 1;
        } else if ((c & 0xC0) != 0x80) {  // continuation bytes belong to the character before
            ++at.column;
        }
    }
    return at;
}

TextPosition LocateInCp932(std::string_view text, size_t offset) {
    TextPosition at;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++at.line;
            at.column = 1;
            continue;
        }
        if (OpensPair(c) && i + 1 < offset) ++i;
        ++at.column;
    }
    return at;
}

}  // namespace quenta::render
