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
    MessageFinding(Check check_, int32_t offset_, std::string text_)
        : check(check_), offset(offset_), text(std::move(text_)) {}
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
};

}  // namespace quenta::script
