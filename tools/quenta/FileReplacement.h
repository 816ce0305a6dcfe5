// Rewriting a file so that a reader sees the old bytes or the new, never a
// mixture: a new file beside it, renamed over it.
#pragma once

#include <string>

namespace quenta::script {

// Keeps the old file's permissions. Throws std::runtime_error.
void ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace quenta::script
