// The checks: one list gives each its enumerator, stable name, level and
// what it means, so that a check is named by the compiler, never by a
// string looked up at run time.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "Finding.h"

namespace quenta::script {

// X(enumerator, name, level, summary)
#define QUENTA_CHECK_LIST(X)                                                                                          \
    X(kMalformedTag, "malformed-tag", kError, "A tag whose arguments are malformed: the message shows <error> in its place.") \
    X(kUnknownTag, "unknown-tag", kError, "A name in angle brackets that is no tag: it is drawn as written.")                 \
    X(kLoneAngleBracket, "lone-angle-bracket", kWarning,                                                               \
      "A '<' followed by no tag name: drawn as text; write '<<' for a literal '<'.")                                 \
    X(kEmptyClose, "empty-close", kWarning,                                                                            \
      "A closing tag with nothing saved to restore, or one for a switch that is off: it changes nothing.")          \
    X(kUnclosedStyle, "unclosed-style", kWarning,                                                                      \
      "A style or switch still on when the message ends: it carries into the next messages.")                         \
    X(kIgnoredSize, "ignored-size", kError, "A size of 256 or more: the tag is ignored.")                              \
    X(kMissingPicture, "missing-picture", kError, "A picture number the archive lacks: the message shows <error>.")    \
    X(kUnencodable, "unencodable", kError, "A character code page 932 cannot hold.")                                   \
    X(kLineTooWide, "line-too-wide", kError, "A line wider than the message window.")                                  \
    X(kMessageTooTall, "message-too-tall", kError, "A message taller than the message window.")                        \
    X(kTooManyLines, "too-many-lines", kError, "A message with more lines than allowed.")                              \
    X(kWrapDoesNotFit, "wrap-does-not-fit", kError, "A message that does not fit the window even after wrapping.") \
    X(kUnusedAcceptance, "unused-acceptance", kNote,                                                                   \
      "A quenta-ignore flag that accepts a finding the message no longer has: remove it.")

enum class Check {
#define QUENTA_CHECK_ENUMERATOR(id, name, level, summary) id,
    QUENTA_CHECK_LIST(QUENTA_CHECK_ENUMERATOR)
#undef QUENTA_CHECK_ENUMERATOR
};

struct CheckInfo {
    Check check;
    std::string_view name;
    Level level;
    std::string_view summary;
};

std::span<const CheckInfo> AllChecks();
const CheckInfo& InfoOf(Check check);
inline std::string_view CheckName(Check check) { return InfoOf(check).name; }
// The check a writer named on the command line, if any has that name.
std::optional<Check> CheckNamed(std::string_view name);

}  // namespace quenta::script
