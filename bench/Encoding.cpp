#include "Encoding.h"

#include <iconv.h>

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace quenta::bench {

namespace {

std::string Convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no converter to ") + to);
    std::string out(text.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0) {
        throw std::runtime_error(std::string("text has no ") + to + " form");
    }
    out.resize(out.size() - outLeft);
    return out;
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

std::string Utf8ToCp932(const std::string& utf8) { return Convert(utf8, "CP932", "UTF-8"); }

std::string Cp932ToUtf8(const std::string& cp932) { return Convert(cp932, "UTF-8", "CP932"); }

int64_t CountMessageCharacters(const std::string& cp932) {
    const std::string_view text = cp932;
    int64_t count = 0;
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i, 3) == "<R>") {
            i += 3;
        } else if (text.substr(i, 2) == "<<") {
            i += 2;
            ++count;
        } else {
            i += IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
            ++count;
        }
    }
    return count;
}

}  // namespace quenta::bench
