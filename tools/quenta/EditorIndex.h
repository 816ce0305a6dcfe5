// Where a place in UTF-8 text lands in the page's editor, which counts
// UTF-16 code units (a character beyond the basic plane takes two).
#pragma once

#include <cstdint>
#include <string_view>

namespace quenta::preview {

int32_t EditorIndex(std::string_view utf8Before);

}  // namespace quenta::preview
