// What the script library throws: one error type, its kind telling the
// command which exit status and wording fit. The library never prints.
#pragma once

#include <stdexcept>
#include <string>

namespace quenta::script {

enum class ErrorKind {
    kBadInput,         // a script that cannot be read, or not as its form
    kMissingResource,  // something this system lacks: an iconv table, ICU's rules
    kBadSetting,       // a setting the library cannot work with: a column, a name pattern
    kCannotWrite,      // an output that cannot be made or written
};

class ScriptError : public std::runtime_error {
public:
    ScriptError(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ErrorKind Kind() const { return kind_; }

private:
    ErrorKind kind_;
};

inline ScriptError BadInput(const std::string& message) { return {ErrorKind::kBadInput, message}; }
inline ScriptError MissingResource(const std::string& message) { return {ErrorKind::kMissingResource, message}; }
inline ScriptError BadSetting(const std::string& message) { return {ErrorKind::kBadSetting, message}; }
inline ScriptError CannotWrite(const std::string& message) { return {ErrorKind::kCannotWrite, message}; }

}  // namespace quenta::script
