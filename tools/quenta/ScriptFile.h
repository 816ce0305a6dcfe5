// A script file as read from disk: its bytes, untouched, and how to find
// the messages in them.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

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
    // of that column in the first row (which is then no message). Empty
    // when not given: a file of one column is read whole, and one of more
    // is an error that lists them, rather than a guess.
    std::string column;
    // kWholeMessage: line breaks stay characters instead of break tags.
    bool keepNewlines = false;
    // PO: entries marked fuzzy are read too (msgfmt leaves them out).
    bool includeFuzzy = false;
    // CSV and TSV: the columns of accepted findings' flags and of each
    // message's identity, as `column` names one; empty for none.
    std::string flagsColumn;
    std::string keyColumn;
    // The encoding of the file on disk when `bytes` are not its own: a
    // UTF-16 file (by its byte-order mark) or a PO file whose header names
    // a charset other than UTF-8 and Shift-JIS is recoded to UTF-8 when
    // read, and what is written back goes back to this ("UTF-16LE",
    // "euc-jp"). Empty when `bytes` are the file's own.
    std::string charset;
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
// tsv or po) and encoding: `cp932` forces code page 932, a UTF-16
// byte-order mark overrides it, and a PO file's header names its own.
// Throws ScriptError, naming the file, for a file that cannot be read as a
// script (a binary file named .po, bytes that are not what the header
// says).
ScriptFile OpenScript(const std::string& path, const std::string& form, bool cp932, const std::string& column,
                      bool includeFuzzy = false);

// `bytes` (of the form file.bytes holds) as the file is stored: recoded
// back to file.charset, with the byte-order mark of a UTF-16 file.
std::string StoredBytes(const ScriptFile& file, const std::string& bytes);

// Where the charset name in a PO header is: [first, second) of bytes;
// {0, 0} when the header names none.
std::pair<size_t, size_t> PoCharsetName(const std::string& bytes);

}  // namespace quenta::script
