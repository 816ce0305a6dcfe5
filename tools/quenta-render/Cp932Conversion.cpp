#include "Cp932Conversion.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "TextPosition.h"
#include "ToolError.h"

namespace quenta::render {

namespace {

class Converter {
public:
    Converter(const char* to = "CP932", const char* from = "UTF-8") : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw ToolError(std::string("this system's iconv cannot convert ") + from + " to " + to);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { iconv_close(cd_); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

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
    Converter converter;
    std::string out;
    // Shift-JIS never takes more bytes than UTF-8 for the same text.
    out.resize(utf8.size());
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dest = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(converter.get(), &in, &inLeft, &dest, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            const size_t used = out.size() - outLeft;
            out.resize(out.size() * 2 + 16);
            dest = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ and EINVAL: a sequence iconv cannot take stands at `in`.
        RejectAt(utf8, static_cast<size_t>(in - utf8.data()));
    }
    out.resize(out.size() - outLeft);
    return out;
}

bool IsUtf16(const std::string& bytes) {
    return bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0;
}

std::string Utf16ToUtf8(const std::string& utf16) {
    // iconv's "UTF-16" reads the byte-order mark and drops it.
    Converter converter("UTF-8", "UTF-16");
    std::string out(utf16.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf16.data());
    size_t inLeft = utf16.size();
    char* dest = out.data();
    size_t outLeft = out.size();
    if (iconv(converter.get(), &in, &inLeft, &dest, &outLeft) == static_cast<size_t>(-1)) {
        throw ToolError("byte " + std::to_string(in - utf16.data()) + ": the input is not valid UTF-16");
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace quenta::render
