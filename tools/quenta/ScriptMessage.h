// One message of a script as the module's parser gets it, and where each of
// its bytes came from in the file the writer edits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenta::script {

// A byte that is no UTF-8 is kNotUtf8 + its value.
inline constexpr char32_t kNotUtf8 = 0x110000;

// A character the message's file holds that code page 932 cannot.
struct UnencodableCharacter {
    uint32_t origin = 0;     // byte offset in the file
    char32_t codePoint = 0;  // 0 for a NUL: the message's text ends before it
    std::string suggestion;  // UTF-8; empty when nothing near can be had
};

struct ScriptMessage {
    int32_t number = 0;   // from 1, in file order
    std::string text;     // code page 932, as handed to the parser
    // origin[i] is the file offset of the character that text[i] belongs
    // to; origin.size() == text.size() + 1, the last entry where the
    // message ends in the file.
    std::vector<uint32_t> origin;
    std::vector<UnencodableCharacter> unencodable;

    void Clear() {
        text.clear();
        origin.clear();
        unencodable.clear();
    }
};

}  // namespace quenta::script
