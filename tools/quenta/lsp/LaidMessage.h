// A message of the document laid out again for a request about one place
// in it: where that place is in the message's text, the style in force
// there, and how wide its lines are.
#pragma once

#include <cstdint>
#include <functional>

#include "Document.h"
#include "MessagePass.h"
#include "layout/StyleState.h"

namespace quenta::lsp {

// The index into the message's text of the character standing at file
// offset `offset` (its first byte), or -1 before the message.
int32_t TextIndexAt(const script::ScriptMessage& message, uint32_t offset);

// The style in force before text[index], the message starting in its style.
core::StyleState StyleAt(const script::PassedMessage& m, script::MessagePass& pass, int32_t index);

// The right edge of a line's drawn characters (a trailing blank hangs and
// does not count), or -1 for a line with none.
int64_t LineRight(const script::LaidOutMessage& laid, int32_t line);

// Where the last character of a laid-out line ends in the file, or -1.
int64_t LineEndOffset(const Document& document, const script::PassedMessage& m, int32_t line);

// Lays out the message that holds `offset` and hands it over; false when
// no message holds it.
bool WithMessageAt(const FeatureContext& context, uint32_t offset,
                   const std::function<void(const script::PassedMessage&, script::MessagePass&)>& use);

}  // namespace quenta::lsp
