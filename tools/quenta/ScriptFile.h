// A script file as read from disk: its bytes, untouched, and how to find
// the messages in them.
#pragma once

#include <cstddef>
#include <set>
#include <string>

#include "MessageOriginal.h"
#include "ScriptEncoding.h"

namespace quenta::script {

enum class ScriptForm { kPlain, kCsv, kTsv, kPo, kXliff };

struct ScriptFile {
    std::string path;   // as the user named it; "-" for standard input
    std::string bytes;  // the whole file
    ScriptForm form = ScriptForm::kPlain;
    ScriptEncoding encoding = ScriptEncoding::kUtf8;
    // CSV and TSV: the column holding the messages, from 1, or the name
    // of that column in the first row (which is then no message).
    std::string column = "1";
    // CSV and TSV: the column of the source text the messages translate,
    // as `column`; empty when there is none.
    std::string sourceColumn;
    // XLIFF: the unit states whose targets are messages; empty for all.
    std::set<UnitState> states;
};

// Where the messages' text begins: past the byte-order mark that a UTF-8
// file may start with, which is no text of the file's.
size_t TextStart(const std::string& bytes, ScriptEncoding encoding);

// The form its name suggests: .csv, .tsv, .po and .pot, .xlf and .xliff,
// else plain text.
ScriptForm FormOfPath(const std::string& path);

// Reads the file (or standard input for "-"); throws std::runtime_error
// with the reason when it cannot.
std::string ReadFileBytes(const std::string& path);

// Reads the file and finds its form ("" from its name, else text, csv,
// tsv, po or xliff) and encoding: `cp932` forces code page 932, and a PO file's
// header may name it. Throws std::runtime_error.
ScriptFile OpenScript(const std::string& path, const std::string& form, bool cp932, const std::string& column);

}  // namespace quenta::script
