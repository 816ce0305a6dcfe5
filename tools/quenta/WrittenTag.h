// How far a tag reaches as the writer typed it, when the parser stopped
// reading it early: "<S 32>" is malformed at the blank and "<Outline>" is
// the unknown name "O", but each was typed as one tag, to be quoted whole
// and never broken inside.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quenta::script {

// Further than this no ">" is looked for: the "<" was then likely text.
inline constexpr size_t kLongestWrittenTag = 64;

// The end of the tag written from text[begin] == '<' (just past its ">"),
// or `end` (where the parser stopped) when no ">" comes before another
// "<" within reach. In code page 932 neither "<" nor ">" is ever the
// second byte of a character.
inline int32_t WrittenTagEnd(const std::string& text, int32_t begin, int32_t end) {
    const size_t limit = std::min(text.size(), static_cast<size_t>(begin) + kLongestWrittenTag);
    for (size_t i = static_cast<size_t>(std::max(begin + 1, end)); i < limit; ++i) {
        if (text[i] == '<') break;
        if (text[i] == '>') return static_cast<int32_t>(i + 1);
    }
    return end;
}

}  // namespace quenta::script
