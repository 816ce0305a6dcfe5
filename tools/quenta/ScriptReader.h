// Finds the messages of a script file, in file order, and hands each to a
// callback as soon as it is complete, so that memory does not grow with
// the number of messages.
#pragma once

#include <functional>

#include "ScriptFile.h"
#include "SourceText.h"

namespace quenta::script {

using MessageSink = std::function<void(const SourceText&)>;

// Throws std::runtime_error when the file is not of its form (a PO file
// that libgettextpo rejects, a CSV column that does not exist).
void ReadMessages(const ScriptFile& file, const MessageSink& sink);

void ReadPlainMessages(const ScriptFile& file, const MessageSink& sink);
void ReadDelimitedMessages(const ScriptFile& file, const MessageSink& sink);
void ReadPoMessages(const ScriptFile& file, const MessageSink& sink);
// Throws std::runtime_error naming the file, line and column for a file
// that is no well-formed XML, and the file for one that is no XLIFF.
void ReadXliffMessages(const ScriptFile& file, const MessageSink& sink);

}  // namespace quenta::script
