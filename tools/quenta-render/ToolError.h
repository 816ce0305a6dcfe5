// What the tool throws when it cannot go on: the message for stderr and the
// exit status. Usage errors (bad options) exit with 2, all others with 1.
#pragma once

#include <stdexcept>
#include <string>

#include "quenta/HostResult.h"

namespace quenta::render {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message, int status = kExitFailure)
        : std::runtime_error(message), status_(status) {}
    int Status() const { return status_; }

private:
    int status_;
};

inline ToolError UsageError(const std::string& message) { return ToolError(message, kExitUsage); }

// The host kit's answer, or a ToolError naming the module and why.
template <typename T>
T ValueOrThrow(host::Result<T> result) {
    if (!result) throw ToolError(result.Error().Describe());
    return result.Take();
}

}  // namespace quenta::render
