// Where a byte offset falls in a text, as a writer counts it: line and
// column from 1, the column in characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quenta::render {

struct TextPosition {
    size_t line = 1;
    size_t column = 1;

    std::string Describe() const;  // "line 3, column 7"
};

TextPosition LocateInUtf8(std::string_view text, size_t offset);
// Shift-JIS, stepped as Quenta steps it (quenta/CharacterBytes.h).
TextPosition LocateInCp932(std::string_view text, size_t offset);

}  // namespace quenta::render
