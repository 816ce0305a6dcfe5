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

namespace quenta::script {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The charset a PO header names, lower case; "" when it names none.
std::string PoCharset(const std::string& bytes) {
    const size_t at = Lower(bytes.substr(0, 4096)).find("charset=");
    if (at == std::string::npos) return "";
    size_t end = at + 8;
    while (end < bytes.size() && (std::isalnum(static_cast<unsigned char>(bytes[end])) || bytes[end] == '-' || bytes[end] == '_')) ++end;
    return Lower(bytes.substr(at + 8, end - at - 8));
}

}  // namespace

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
        if (std::cin.bad()) throw std::runtime_error("cannot read standard input");
        return buffer.str();
    }
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) throw std::runtime_error("cannot read '" + path + "': it is a folder");
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read '" + path + "': " + std::strerror(errno));
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw std::runtime_error("cannot read '" + path + "': " + std::strerror(errno));
    return bytes;
}

ScriptFile OpenScript(const std::string& path, const std::string& form, bool cp932, const std::string& column) {
    ScriptFile file;
    file.path = path;
    file.bytes = ReadFileBytes(path);
    if (form.empty()) file.form = FormOfPath(path);
    else if (form == "text") file.form = ScriptForm::kPlain;
    else if (form == "csv") file.form = ScriptForm::kCsv;
    else if (form == "tsv") file.form = ScriptForm::kTsv;
    else if (form == "po") file.form = ScriptForm::kPo;
    else if (form == "xliff") file.form = ScriptForm::kXliff;
    else throw std::runtime_error("unknown script form '" + form + "'");
    file.column = column;
    file.encoding = cp932 ? ScriptEncoding::kCp932 : ScriptEncoding::kUtf8;
    // XLIFF is read as UTF-8, whatever --cp932 says; its reader refuses a
    // file that declares another encoding.
    if (file.form == ScriptForm::kXliff) file.encoding = ScriptEncoding::kUtf8;
    if (file.form == ScriptForm::kPo) {
        const std::string charset = PoCharset(file.bytes);
        if (charset == "cp932" || charset == "shift_jis" || charset == "shift-jis" || charset == "sjis" ||
            charset == "windows-31j" || charset == "ms_kanji") {
            file.encoding = ScriptEncoding::kCp932;
        }
    }
    return file;
}

}  // namespace quenta::script
