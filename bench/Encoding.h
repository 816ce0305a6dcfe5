// Conversions between UTF-8 (what the bench's texts are written in, and what
// Pango reads) and code page 932 (what Quenta reads). Done once, at set-up.
#pragma once

#include <cstdint>
#include <string>

namespace quenta::bench {

// Throws std::runtime_error when a character has no code page 932 form.
std::string Utf8ToCp932(const std::string& utf8);
std::string Cp932ToUtf8(const std::string& cp932);

// The characters Quenta makes runs of in a text that holds no tags but <R>
// (a line break) and "<<" (a literal "<"), stepping as Quenta does
// (quenta/CharacterBytes.h).
int64_t CountMessageCharacters(const std::string& cp932);

}  // namespace quenta::bench
