// How Quenta steps through Shift-JIS (code page 932) text: the one rule that
// the module's scanner, Scrivo2's painter and every tool share, so that none
// of them can count characters differently.
//
// A byte from 0x80 up opens a two-byte character, except the half-width
// katakana 0xA1 to 0xDF, which are characters of one byte (drawn in a
// half-width cell). 0x80, 0xA0 and 0xFD to 0xFF open pairs like the real lead
// bytes do; the byte after an opening byte is taken whatever it is.
#pragma once

#include <cstdint>

namespace quenta {

constexpr bool IsHalfWidthKatakana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

constexpr bool OpensPair(unsigned char c) { return c >= 0x80 && !IsHalfWidthKatakana(c); }

// The byte length (1 or 2) of the character that starts at `p`, which must
// not point at the terminating NUL. An opening byte right before the NUL is
// a character of one byte: nothing steps past the end of the text.
constexpr int32_t CharacterBytes(const char* p) {
    return OpensPair(static_cast<unsigned char>(p[0])) && p[1] != '\0' ? 2 : 1;
}

}  // namespace quenta
