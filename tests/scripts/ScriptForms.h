// One list of messages written as each of the three script forms, with
// where each message's first character lands in the file, so that a table
// of expected findings can be checked in every form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ScriptFile.h"

namespace quenta::testing {

struct WrittenScript {
    script::ScriptFile file;
    // Line and column (from 1) of the first character of each message.
    std::vector<std::pair<int32_t, int32_t>> starts;
};

// In PO each message's source is the message with " (source)" after it.
// Messages must be single lines of ASCII and code page 932 text without
// double quotes, so that the column of a character in the message is its
// column in every form.
// `sources`, when given, stand for the messages in the PO sources (as a
// wrapped script keeps its unwrapped sources).
WrittenScript WriteScript(script::ScriptForm form, const std::vector<std::string>& messages,
                          const std::vector<std::string>* sources = nullptr);

const char* FormName(script::ScriptForm form);

// "<", ">" and "&" as XML character data spells them.
std::string EscapedXml(const std::string& text);

}  // namespace quenta::testing
