// One run of the tool: text in, PNG out.
#pragma once

#include "Options.h"

namespace quenta::render {

// Throws a ToolError on any failure.
void RunRenderJob(const Options& options);

}  // namespace quenta::render
