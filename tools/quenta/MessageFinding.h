// A finding inside one message, before it is placed in its file: the
// offset is into the message's code page 932 text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "CheckCatalogue.h"

namespace quenta::script {

struct MessageFinding {
    MessageFinding() = default;
    MessageFinding(Check c, int32_t at, std::string says, int32_t mendFrom = -1, int32_t mendTo = -1, std::string mend = {})
        : check(c), offset(at), text(std::move(says)), fixBegin(mendFrom), fixEnd(mendTo), fix(std::move(mend)) {}
    // A finding that compares a translation with its source, and what
    // stands at the other half in the source.
    MessageFinding(Check check_, int32_t offset_, std::string text_, int32_t sourceOffset_, std::string sourceText_)
        : check(check_), offset(offset_), text(std::move(text_)), sourceOffset(sourceOffset_),
          sourceText(std::move(sourceText_)) {}

    Check check{};
    int32_t offset = 0;
    std::string text;        // UTF-8
    // A finding that compares a translation with its source: the offset
    // into the source's code page 932 text where the other half stands, and
    // what stands there.
    std::optional<int32_t> sourceOffset;
    std::string sourceText;  // UTF-8; empty: "the source"
    // What mends it, when something certainly does: the text's bytes
    // [fixBegin, fixEnd) become `fix` (ASCII); fixBegin < 0 for none.
    int32_t fixBegin = -1;
    int32_t fixEnd = -1;
    std::string fix;
};

}  // namespace quenta::script
