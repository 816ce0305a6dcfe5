// UTF-8 input to the code page 932 (Shift-JIS) text that Quenta reads,
// through iconv.
#pragma once

#include <string>

namespace quenta::render {

// Throws a ToolError naming the line and column of the first character that
// is not valid UTF-8 or that code page 932 cannot hold.
std::string Utf8ToCp932(const std::string& utf8);

}  // namespace quenta::render
