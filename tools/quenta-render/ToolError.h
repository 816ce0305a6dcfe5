// What the tool throws when it cannot go on: the message for stderr and the
// exit status. Usage errors (bad options) and unreadable input exit with 2,
// all others with 1; only a bad command line is worth the help hint.
#pragma once

#include <stdexcept>
#include <string>

#include "quenta/HostResult.h"

namespace quenta::render {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message, int status = kExitFailure, bool showsHelp = false)
        : std::runtime_error(message), status_(status), showsHelp_(showsHelp) {}
    int Status() const { return status_; }
    bool ShowsHelp() const { return showsHelp_; }

private:
    int status_;
    bool showsHelp_;
};

inline ToolError UsageError(const std::string& message) { return ToolError(message, kExitUsage, true); }
// A script or other input that cannot be read as what it should be: the
// command line was right, so no help hint.
inline ToolError InputError(const std::string& message) { return ToolError(message, kExitUsage); }

// The host kit's answer, or a ToolError naming the module and why.
template <typename T>
T ValueOrThrow(host::Result<T> result) {
    if (!result) throw ToolError(result.Error().Describe());
    return result.Take();
}

}  // namespace quenta::render
