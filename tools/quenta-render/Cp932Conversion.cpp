#include "Cp932Conversion.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "CodePageConversion.h"
#include "TextPosition.h"
#include "ToolError.h"

namespace quenta::render {

namespace {

// The code point of the well-formed UTF-8 sequence at `p`, or nothing.
std::optional<char32_t> DecodeUtf8(const unsigned char* p, size_t left) {
    if (left == 0) return std::nullopt;
    const unsigned char lead = p[0];
    size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) return lead;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (left < length) return std::nullopt;
    for (size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    return cp;
}

[[noreturn]] void RejectAt(const std::string& utf8, size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data()) + offset;
    const std::string where = LocateInUtf8(utf8, offset).Describe();
    const auto cp = DecodeUtf8(p, utf8.size() - offset);
    char detail[64];
    if (!cp) {
        std::snprintf(detail, sizeof detail, "byte 0x%02X", *p);
        throw ToolError(where + ": the input is not valid UTF-8 (" + detail +
                        "); give --cp932 for Shift-JIS input");
    }
    std::snprintf(detail, sizeof detail, "U+%04X", static_cast<unsigned>(*cp));
    size_t length = 1;
    while (offset + length < utf8.size() && (p[length] & 0xC0) == 0x80) ++length;
    throw ToolError(where + ": '" + utf8.substr(offset, length) + "' (" + detail +
                    ") has no Shift-JIS (code page 932) form");
}

}  // namespace

std::string Utf8ToCp932(const std::string& utf8) {
    text::Conversion converted = text::Utf8ToCp932(utf8);
    switch (converted.outcome) {
        case text::Conversion::Outcome::kConverted: break;
        case text::Conversion::Outcome::kNoConverter:
            throw ToolError("this system's iconv cannot convert UTF-8 to code page 932; use --cp932 input");
        case text::Conversion::Outcome::kRejected: RejectAt(utf8, converted.rejectedAt);
    }
    return std::move(converted.text);
}

bool IsUtf16(const std::string& bytes) {
    return bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0;
}

std::string Utf16ToUtf8(const std::string& utf16) {
    text::Conversion converted = text::Utf16ToUtf8(utf16);
    switch (converted.outcome) {
        case text::Conversion::Outcome::kConverted: break;
        case text::Conversion::Outcome::kNoConverter:
            throw ToolError("this system's iconv cannot convert UTF-16 to UTF-8");
        case text::Conversion::Outcome::kRejected:
            throw ToolError("byte " + std::to_string(converted.rejectedAt) + ": the input is not valid UTF-16");
    }
    return std::move(converted.text);
}

}  // namespace quenta::render
