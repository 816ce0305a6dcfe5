// The two encodings a script may be written in.
#pragma once

namespace quenta::script {

enum class ScriptEncoding { kUtf8, kCp932 };

}  // namespace quenta::script
