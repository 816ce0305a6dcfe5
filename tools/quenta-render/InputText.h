// The message text as Quenta gets it: read from a file or standard input,
// converted to code page 932 unless it is already, and with each line break
// turned into the <R> tag (the break that ends the input is dropped, as the
// end of a file's last line) unless the user keeps them raw.
#pragma once

#include <string>

#include "Options.h"

namespace quenta::render {

// Throws a ToolError when the input cannot be read, cannot be converted,
// holds a NUL character or is empty.
std::string ReadMessageText(const Options& options);

// The two halves of ReadMessageText: the input's bytes as they are, and
// their conversion.
std::string ReadInputBytes(const Options& options);
std::string ConvertMessageText(const Options& options, std::string bytes);

// "\r\n", "\n" and "\r" each become "<R>"; one break at the very end goes.
// Safe on Shift-JIS bytes: their second bytes are never CR or LF.
std::string LineBreaksToTags(const std::string& text);

}  // namespace quenta::render
