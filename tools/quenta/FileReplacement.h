// Rewriting a file so that a reader sees the old bytes or the new, never a
// mixture: a new file beside it, renamed over it. A link is followed to the
// file it names, which is the one rewritten; the file keeps its owner and
// mode, and one that cannot be rewritten so is refused rather than replaced
// by a file of another kind or owner.
#pragma once

#include <string>

namespace quenta::script {

// The file `path` stands for (links followed), when it can be rewritten in
// place: a regular file of a single name that this process may write, in a
// folder where it may make the new file. Throws std::runtime_error saying
// why not, before anything is read or written.
std::string ReplaceablePath(const std::string& path);

// Rewrites the file `path` stands for. Temporaries that an earlier run,
// killed while writing, left beside it (".NAME.XXXXXX") are removed first.
// Throws std::runtime_error with the system's reason.
void ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace quenta::script
