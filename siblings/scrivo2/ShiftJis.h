// Code page 932 (Microsoft's Shift-JIS) decoding through one process-wide
// table, built once from glibc's iconv "CP932" converter, so that painting
// never sets up a converter.
#pragma once

#include <cstdint>

#include "quenta/CharacterBytes.h"

namespace quenta::scrivo2 {

struct DecodedChar {
    char32_t code;   // 0: the code page maps nothing here (or a control byte)
    int32_t bytes;   // 1 (half-width cell) or 2 (full-width cell)
};

class Cp932Table {
public:
    // The table, built on first use (thread-safe).
    static const Cp932Table& Get();

    // Decodes the character at `p`, which must not point at the closing NUL,
    // as long as Quenta counts it (CharacterBytes): a byte that opens a pair
    // takes the next byte along, whatever it is, unless the text ends there;
    // a lone opening byte before the NUL maps nothing. So do the pairs that
    // CP932 leaves unassigned, those opened by 0x80, 0xA0 and 0xFD to 0xFF
    // among them.
    DecodedChar Decode(const unsigned char* p) const {
        const unsigned char c = p[0];
        if (CharacterBytes(reinterpret_cast<const char*>(p)) == 2) return {doubles_[c - 0x80][p[1]], 2};
        return {singles_[c], 1};
    }

    // False when iconv had no CP932 converter and only ASCII and half-width
    // katakana are decoded.
    bool FromIconv() const { return fromIconv_; }

private:
    Cp932Table();

    char16_t singles_[256] = {};        // 0 for every byte that opens a pair
    char16_t doubles_[128][256] = {};  // by opening byte - 0x80, then the second byte
    bool fromIconv_ = false;
};

// Appends the UTF-8 form of `code` to `out`, which must have 4 bytes free;
// returns the number of bytes written.
int EncodeUtf8(char32_t code, char* out);

}  // namespace quenta::scrivo2
