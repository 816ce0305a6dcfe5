#include "ShiftJis.h"

#include <iconv.h>

namespace quenta::scrivo2 {

namespace {

// Converts `length` CP932 bytes into one BMP character; 0 when the converter
// rejects them or yields anything but exactly one non-surrogate character.
char16_t ConvertOne(iconv_t cd, const unsigned char* bytes, size_t length) {
    char in[2] = {static_cast<char>(bytes[0]), length > 1 ? static_cast<char>(bytes[1]) : '\0'};
    unsigned char out[8] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = length;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (rc == static_cast<size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 2) return 0;
    const auto unit = static_cast<char16_t>(out[0] | (out[1] << 8));
    if (unit >= 0xD800 && unit <= 0xDFFF) return 0;
    return unit;
}

}  // namespace

const Cp932Table& Cp932Table::Get() {
    static const Cp932Table table;
    return table;
}

Cp932Table::Cp932Table() {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter: ASCII and half-width katakana still decode.
        for (unsigned c = 0x20; c < 0x7F; ++c) singles_[c] = static_cast<char16_t>(c);
        for (unsigned c = 0xA1; c <= 0xDF; ++c) singles_[c] = static_cast<char16_t>(0xFF61 + (c - 0xA1));
        return;
    }
    fromIconv_ = true;
    for (unsigned c = 0x20; c <= 0xFF; ++c) {
        if (c == 0x7F || OpensPair(static_cast<unsigned char>(c))) continue;
        const auto byte = static_cast<unsigned char>(c);
        singles_[c] = ConvertOne(cd, &byte, 1);
    }
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        if (!OpensPair(static_cast<unsigned char>(lead))) continue;
        char16_t* row = doubles_[lead - 0x80];
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const unsigned char pair[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
            row[trail] = ConvertOne(cd, pair, 2);
        }
    }
    iconv_close(cd);
    // Control characters paint nothing.
    for (unsigned c = 0; c < 0x20; ++c) singles_[c] = 0;
    singles_[0x7F] = 0;
}

int EncodeUtf8(char32_t code, char* out) {
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code >> 12));
        out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code >> 18));
    out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

}  // namespace quenta::scrivo2
