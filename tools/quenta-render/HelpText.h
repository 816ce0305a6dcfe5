// What --help prints.
#pragma once

namespace quenta::render {

extern const char kHelpText[];

}  // namespace quenta::render
