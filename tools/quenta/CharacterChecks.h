// The checks on a message's characters that need no source: tags typed
// with full-width brackets (an input method's "＜R＞"), which the module
// draws as text; control characters, which it draws as glyphs; and the
// ASCII quotes that the Gothic face draws as closing quotes.
#pragma once

#include <string>
#include <vector>

#include "LaidOutMessage.h"
#include "MessageChecks.h"
#include "MessageFinding.h"

namespace quenta::script {

// `laid` tells where the tags are, which hold none of these characters.
void CheckCharacters(const std::string& text, const LaidOutMessage& laid, const ShowText& show,
                     std::vector<MessageFinding>& out);

}  // namespace quenta::script
