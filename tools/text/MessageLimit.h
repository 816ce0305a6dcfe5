// The longest message the tools take. The module keeps a record per
// character (about two hundred bytes for each byte of text), so a message
// of megabytes costs gigabytes; no message a window shows comes near this,
// and anything past it is refused with a clear error instead of running
// out of memory.
#pragma once

#include <cstddef>
#include <string>

namespace quenta::text {

inline constexpr size_t kLongestMessageBytes = 256 * 1024;

// "message 3 is 300000 bytes long; a message may hold at most 262144 (256 KiB)"
inline std::string TooLongMessage(const std::string& what, size_t bytes) {
    return what + " is " + std::to_string(bytes) + " bytes long; a message may hold at most " +
           std::to_string(kLongestMessageBytes) + " (256 KiB)";
}

}  // namespace quenta::text
