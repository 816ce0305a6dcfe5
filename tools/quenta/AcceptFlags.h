// Flags that accept a finding where the text lives: "quenta-ignore-NAME"
// for the check NAME, in a PO entry's translator comment, an XLIFF note or
// a CSV flags column. The prefix keeps them apart from any other tool's
// flags in the same place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SourceText.h"

namespace quenta::script {

inline constexpr std::string_view kAcceptPrefix = "quenta-ignore-";

// Every flag in `text`, which starts at file offset `at`; flags are
// separated by anything that is not a letter, digit or '-'.
void FindAcceptFlags(std::string_view text, uint32_t at, std::vector<AcceptFlag>& out);

// The identity a baseline keys a message on: the form's own (`key`), or for
// plain text one made from the message's written text, so that it holds
// wherever the message moves.
std::string MessageKey(const std::string& key, std::string_view written);

// A short stable hash of `text`, as 16 hexadecimal digits.
std::string TextHash(std::string_view text);

}  // namespace quenta::script
