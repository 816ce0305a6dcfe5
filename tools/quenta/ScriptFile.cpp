#include "ScriptFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "ScriptError.h"
#include "CodePageConversion.h"

namespace quenta::script {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The charset a PO header names, lower case; "" when it names none.
std::string PoCharset(const std::string& bytes) {
    const auto [begin, end] = PoCharsetName(bytes);
    return Lower(bytes.substr(begin, end - begin));
}

bool IsShiftJisName(const std::string& charset) {
    return charset == "cp932" || charset == "shift_jis" || charset == "shift-jis" || charset == "sjis" ||
           charset == "windows-31j" || charset == "ms_kanji";
}

// Names that mean the bytes are UTF-8 already: a template's placeholder
// "CHARSET" and ASCII, which UTF-8 contains, among them.
bool IsUtf8Name(const std::string& charset) {
    return charset.empty() || charset == "utf-8" || charset == "utf8" || charset == "charset" || charset == "ascii" ||
           charset == "us-ascii";
}

// "3:14" for the byte at `offset`: the line, and the byte in it, from 1.
std::string LineAndByte(const std::string& bytes, size_t offset) {
    size_t line = 1, lineStart = 0;
    for (size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return std::to_string(line) + ":" + std::to_string(offset - lineStart + 1);
}

bool IsBinary(const std::string& bytes) {
    // A compiled catalogue starts with its magic number either way round;
    // no text holds a NUL.
    if (bytes.rfind("\xDE\x12\x04\x95", 0) == 0 || bytes.rfind("\x95\x04\x12\xDE", 0) == 0) return true;
    return bytes.find('\0') != std::string::npos;
}

}  // namespace

std::pair<size_t, size_t> PoCharsetName(const std::string& bytes) {
    const size_t at = Lower(bytes.substr(0, 4096)).find("charset=");
    if (at == std::string::npos) return {0, 0};
    size_t end = at + 8;
    while (end < bytes.size() && (std::isalnum(static_cast<unsigned char>(bytes[end])) || bytes[end] == '-' ||
                                  bytes[end] == '_' || bytes[end] == '.' || bytes[end] == ':')) {
        ++end;
    }
    return {at + 8, end};
}

std::string StoredBytes(const ScriptFile& file, const std::string& bytes) {
    if (file.charset.empty()) return bytes;
    const text::Conversion back = text::Recode(bytes, file.charset, "UTF-8");
    if (back.outcome != text::Conversion::Outcome::kConverted) {
        throw CannotWrite("cannot write '" + file.path + "' back in " + file.charset);
    }
    if (file.charset == "UTF-16LE") return "\xFF\xFE" + back.text;
    if (file.charset == "UTF-16BE") return "\xFE\xFF" + back.text;
    return back.text;
}

size_t TextStart(const std::string& bytes, ScriptEncoding encoding) {
    return encoding == ScriptEncoding::kUtf8 && bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
}

ScriptForm FormOfPath(const std::string& path) {
    const std::string extension = Lower(std::filesystem::path(path).extension().string());
    if (extension == ".csv") return ScriptForm::kCsv;
    if (extension == ".tsv") return ScriptForm::kTsv;
    if (extension == ".po" || extension == ".pot") return ScriptForm::kPo;
    if (extension == ".xlf" || extension == ".xliff") return ScriptForm::kXliff;
    return ScriptForm::kPlain;
}

std::string ReadFileBytes(const std::string& path) {
    if (path == "-") {
        std::ostringstream buffer;
        buffer << std::cin.rdbuf();
        if (std::cin.bad()) throw BadInput("cannot read standard input");
        return buffer.str();
    }
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) throw BadInput("cannot read '" + path + "': it is a folder");
    std::ifstream file(path, std::ios::binary);
    if (!file) throw BadInput("cannot read '" + path + "': " + std::strerror(errno));
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw BadInput("cannot read '" + path + "': " + std::strerror(errno));
    return bytes;
}

ScriptFile OpenScript(const std::string& path, const std::string& form, bool cp932, const std::string& column,
                      bool includeFuzzy) {
    ScriptFile file;
    file.path = path;
    file.bytes = ReadFileBytes(path);
    if (form.empty()) file.form = FormOfPath(path);
    else if (form == "text") file.form = ScriptForm::kPlain;
    else if (form == "csv") file.form = ScriptForm::kCsv;
    else if (form == "tsv") file.form = ScriptForm::kTsv;
    else if (form == "po") file.form = ScriptForm::kPo;
    else if (form == "xliff") file.form = ScriptForm::kXliff;
    else throw BadSetting("unknown script form '" + form + "'");
    file.column = column;
    file.includeFuzzy = includeFuzzy;
    file.encoding = cp932 ? ScriptEncoding::kCp932 : ScriptEncoding::kUtf8;
    // XLIFF is read as UTF-8, whatever --cp932 says; its reader refuses a
    // file that declares another encoding.
    if (file.form == ScriptForm::kXliff) file.encoding = ScriptEncoding::kUtf8;
    // A UTF-16 byte-order mark names the encoding whatever --cp932 says: no
    // Shift-JIS text starts with FF FE or FE FF.
    const bool utf16le = file.bytes.rfind("\xFF\xFE", 0) == 0;
    if (utf16le || file.bytes.rfind("\xFE\xFF", 0) == 0) {
        const text::Conversion utf8 = text::Utf16ToUtf8(file.bytes);
        if (utf8.outcome != text::Conversion::Outcome::kConverted) {
            throw BadInput("cannot read '" + path + "' as UTF-16 (its byte-order mark says so): byte " +
                                     std::to_string(utf8.rejectedAt) + " is not");
        }
        file.bytes = utf8.text;
        file.charset = utf16le ? "UTF-16LE" : "UTF-16BE";
        file.encoding = ScriptEncoding::kUtf8;
    }
    if (file.form != ScriptForm::kPo) return file;
    if (IsBinary(file.bytes)) {
        throw BadInput("cannot read '" + path +
                                 "' as a PO file: it is binary (a compiled .mo catalogue? msgunfmt turns one back into a PO file)");
    }
    if (!file.charset.empty()) return file;
    const std::string charset = PoCharset(file.bytes);
    if (IsShiftJisName(charset)) {
        file.encoding = ScriptEncoding::kCp932;
    } else if (!IsUtf8Name(charset)) {
        const text::Conversion utf8 = text::Recode(file.bytes, "UTF-8", charset);
        if (utf8.outcome == text::Conversion::Outcome::kNoConverter) {
            throw BadInput("cannot read '" + path + "': its header names the charset '" + charset +
                                     "', which this system's iconv does not know");
        }
        if (utf8.outcome == text::Conversion::Outcome::kRejected) {
            throw BadInput(path + ":" + LineAndByte(file.bytes, utf8.rejectedAt) + ": not " + charset +
                                     ", as the header says the file is");
        }
        file.bytes = utf8.text;
        file.charset = charset;
        file.encoding = ScriptEncoding::kUtf8;
    }
    return file;
}

}  // namespace quenta::script
