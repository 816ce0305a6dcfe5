// UTF-8 input to the code page 932 (Shift-JIS) text that Quenta reads,
// through iconv.
#pragma once

#include <string>

namespace quenta::render {

// Throws a ToolError naming the line and column of the first character that
// is not valid UTF-8 or that code page 932 cannot hold.
std::string Utf8ToCp932(const std::string& utf8);

// True when the bytes begin with a UTF-16 byte-order mark (FF FE or FE FF).
bool IsUtf16(const std::string& bytes);
// UTF-16 with its byte-order mark to UTF-8 without one; throws a ToolError
// naming the byte offset of a sequence that is not UTF-16.
std::string Utf16ToUtf8(const std::string& utf16);

}  // namespace quenta::render
