// Code page 932 (Microsoft's Shift-JIS) decoding through one process-wide
// table, built once from glibc's iconv "CP932" converter, so that painting
// never sets up a converter.
#pragma once

#include <cstdint>

namespace quenta::scrivo2 {

// A lead byte opens a two-byte (full-width) character.
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

struct DecodedChar {
    char32_t code;   // 0: the code page maps nothing here (or a control byte)
    int32_t bytes;   // 1 (half-width cell) or 2 (full-width cell)
};

class Cp932Table {
public:
    // The table, built on first use (thread-safe).
    static const Cp932Table& Get();

    // Decodes the character at `p`, which must not point at the closing NUL.
    // A lead byte followed by any byte but NUL takes two bytes, as Quenta
    // counts them; a lone lead byte before the NUL takes one and maps nothing.
    DecodedChar Decode(const unsigned char* p) const {
        const unsigned char c = p[0];
        if (IsLeadByte(c) && p[1] != 0) return {doubles_[LeadIndex(c)][p[1]], 2};
        return {singles_[c], 1};
    }

    // False when iconv had no CP932 converter and only ASCII and half-width
    // katakana are decoded.
    bool FromIconv() const { return fromIconv_; }

private:
    Cp932Table();
    static int LeadIndex(unsigned char c) { return c <= 0x9F ? c - 0x81 : c - 0xE0 + 31; }

    char16_t singles_[256] = {};
    char16_t doubles_[60][256] = {};
    bool fromIconv_ = false;
};

// Appends the UTF-8 form of `code` to `out`, which must have 4 bytes free;
// returns the number of bytes written.
int EncodeUtf8(char32_t code, char* out);

}  // namespace quenta::scrivo2
