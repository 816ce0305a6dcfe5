// Finds the messages of a script file, in file order, and hands each to a
// callback as soon as it is complete, so that memory does not grow with
// the number of messages.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ScriptFile.h"
#include "SourceText.h"

namespace quenta::script {

using MessageSink = std::function<void(const SourceText&)>;

// Throws std::runtime_error when the file is not of its form (a PO file
// that libgettextpo rejects, a CSV column that does not exist; the tools
// read through MessagePass, which gives it as a ScriptError, bad input);
// throws ScriptError (bad input) for a message longer than
// text::kLongestMessageBytes. Returns how many messages there were.
int32_t ReadMessages(const ScriptFile& file, const MessageSink& sink);

// A message as the writer means it, from the file's bytes that hold it (a
// SourceText's first origin to its end): in a PO file the quoted strings
// joined and unescaped ("\"Ah!\"" is "Ah!" in quotes, "\n" a line break);
// in the other forms the bytes themselves. In the file's encoding.
std::string WrittenText(const ScriptFile& file, std::string_view written);

void ReadPlainMessages(const ScriptFile& file, const MessageSink& sink);
void ReadDelimitedMessages(const ScriptFile& file, const MessageSink& sink);
void ReadPoMessages(const ScriptFile& file, const MessageSink& sink);
void ReadWholeMessage(const ScriptFile& file, const MessageSink& sink);
// Throws ScriptError (bad input) naming the file, line and column for a file
// that is no well-formed XML, and the file for one that is no XLIFF.
void ReadXliffMessages(const ScriptFile& file, const MessageSink& sink);

}  // namespace quenta::script
