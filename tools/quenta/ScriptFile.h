// A script file as read from disk: its bytes, untouched, and how to find
// the messages in them.
#pragma once

#include <cstddef>
#include <string>

#include "ScriptEncoding.h"

namespace quenta::script {

// kWholeMessage: the whole file is one message, as `quenta render` reads
// its input; each line break is a break tag but the one that ends the file.
enum class ScriptForm { kPlain, kCsv, kTsv, kPo, kWholeMessage };

struct ScriptFile {
    std::string path;   // as the user named it; "-" for standard input
    std::string bytes;  // the whole file
    ScriptForm form = ScriptForm::kPlain;
    ScriptEncoding encoding = ScriptEncoding::kUtf8;
    // CSV and TSV: the column holding the messages, from 1, or the name
    // of that column in the first row (which is then no message).
    std::string column = "1";
    // kWholeMessage: line breaks stay characters instead of break tags.
    bool keepNewlines = false;
};

// Where the messages' text begins: past the byte-order mark that a UTF-8
// file may start with, which is no text of the file's.
size_t TextStart(const std::string& bytes, ScriptEncoding encoding);

// The form its name suggests: .csv, .tsv, .po and .pot, else plain text.
ScriptForm FormOfPath(const std::string& path);

// Reads the file (or standard input for "-"); throws ScriptError (bad
// input) with the reason when it cannot.
std::string ReadFileBytes(const std::string& path);

// Reads the file and finds its form ("" from its name, else text, csv,
// tsv or po) and encoding: `cp932` forces code page 932, and a PO file's
// header may name it. Throws ScriptError.
ScriptFile OpenScript(const std::string& path, const std::string& form, bool cp932, const std::string& column);

}  // namespace quenta::script
