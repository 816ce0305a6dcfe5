// Font look-up through fontconfig: the classic Japanese face names and plain
// family names become font files.
#pragma once

#include <optional>
#include <string>

namespace quenta::scrivo2 {

struct FontLocation {
    std::string path;
    int index = 0;       // face index within the file
    std::string family;  // the family fontconfig reports, for diagnostics
};

enum class JapaneseStyle { Gothic, Mincho };

// The best installed face of that style that covers Japanese (its charset
// holds hiragana and kanji, checked on U+3042 and U+6F22). Without one, any
// Japanese-capable face; without that, fontconfig's best match for the
// style. Empty only when fontconfig finds no outline font at all.
std::optional<FontLocation> FindJapaneseFace(JapaneseStyle style);

// The installed outline face of a family (UTF-8), or a generic family such
// as "serif"; empty when fontconfig has no such family.
std::optional<FontLocation> FindFamily(const std::string& family);

}  // namespace quenta::scrivo2
