#include "InputText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "Cp932Conversion.h"
#include "MessageLimit.h"
#include "TextPosition.h"
#include "ToolError.h"

namespace quenta::render {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

std::string ReadAll(const std::string& path) {
    if (path.empty() || path == "-") {
        std::ostringstream buffer;
        buffer << std::cin.rdbuf();
        if (std::cin.bad()) throw ToolError("cannot read standard input");
        return buffer.str();
    }
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) throw ToolError("cannot read '" + path + "': it is a folder");
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ToolError("cannot read '" + path + "': " + std::strerror(errno));
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw ToolError("cannot read '" + path + "': " + std::strerror(errno));
    return bytes;
}

}  // namespace

std::string LineBreaksToTags(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r') {
            out += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (i + 1 < text.size()) out += "<R>";
    }
    return out;
}

std::string ReadMessageText(const Options& options) { return ConvertMessageText(options, ReadAll(options.input)); }

std::string ReadInputBytes(const Options& options) { return ReadAll(options.input); }

std::string ConvertMessageText(const Options& options, std::string text) {
    // A UTF-16 byte-order mark names the encoding whatever --cp932 says: no
    // Shift-JIS text starts with FF FE or FE FF.
    const bool utf16 = IsUtf16(text);
    if (utf16) text = Utf16ToUtf8(text);
    else if (!options.cp932 && text.rfind(kUtf8Bom, 0) == 0) text.erase(0, sizeof kUtf8Bom - 1);
    const bool cp932 = options.cp932 && !utf16;
    if (text.size() > text::kLongestMessageBytes) {
        throw InputError(text::TooLongMessage(options.input.empty() || options.input == "-" ? "the message" : "'" + options.input + "'", text.size()));
    }

    // Quenta reads up to the first NUL: anything after it would vanish unseen.
    if (const size_t nul = text.find('\0'); nul != std::string::npos) {
        const TextPosition at = cp932 ? LocateInCp932(text, nul) : LocateInUtf8(text, nul);
        throw ToolError(at.Describe() + ": the input holds a NUL character");
    }
    if (!cp932) text = Utf8ToCp932(text);
    if (!options.keepNewlines) text = LineBreaksToTags(text);
    if (text.empty()) throw ToolError("the input is empty: there is nothing to render");
    return text;
}

}  // namespace quenta::render
