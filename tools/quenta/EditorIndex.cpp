#include "EditorIndex.h"

namespace quenta::preview {

int32_t EditorIndex(std::string_view utf8Before) {
    int32_t index = 0;
    for (const char c : utf8Before) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        index += byte >= 0xF0 ? 2 : 1;
    }
    return index;
}

}  // namespace quenta::preview
