// One run of the tool: text in, PNG out.
#pragma once

#include <string>

#include "Options.h"

namespace quenta::render {

// Throws a ToolError on any failure.
void RunRenderJob(const Options& options);

// The same with the message text already read (code page 932, tags for
// line breaks).
void RenderMessage(const Options& options, const std::string& text);

}  // namespace quenta::render
