// Parsers for option values; each throws a usage ToolError naming the
// option and what it expected.
#pragma once

#include <string>

#include "Options.h"

namespace quenta::render {

inline constexpr int32_t kMaxCanvasSide = 16384;

CanvasSize ParseSize(const std::string& option, const std::string& value);
Point ParsePoint(const std::string& option, const std::string& value);
Rgb ParseColor(const std::string& option, const std::string& value);
int32_t ParseCount(const std::string& option, const std::string& value, int32_t max);

}  // namespace quenta::render
