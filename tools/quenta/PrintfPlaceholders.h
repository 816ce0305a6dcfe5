// The printf placeholders of a C format string ("%d", "%1$s", "%-10.3lf",
// "%*d", "%<PRIuMAX>" as gettext keeps the ISO C 99 macros, "%%"): the
// engine fills them in, so they are not markup, and a translation must
// hold the source's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quenta::script {

struct Placeholder {
    int32_t begin = 0;  // byte offsets into the text
    int32_t end = 0;
    // The argument it takes, from 1 ("%2$s" takes argument 2, an unnumbered
    // one the next); 0 for "%%", which takes none.
    int32_t argument = 0;
    // What it takes, in one spelling for one type: "d" for %d and %i, "ld"
    // for %ld, "u" for %u %x %X %o, "f" for every floating conversion,
    // "<PRIdMAX>" for %<PRIdMAX> and %<PRIiMAX>, "*" for a width or
    // precision given as an argument.
    std::string type;
};

// The end of the directive that starts at text[at] == '%': at + 1 when
// nothing after the '%' belongs to one. All of a directive is ASCII, which
// in code page 932 is never the second byte of a character.
size_t PlaceholderEnd(std::string_view text, size_t at);

// Every placeholder of the text in order, each argument a width or
// precision "*" takes as one of its own before the conversion's. A '%'
// that starts no directive (one that ends the text) is none.
void FindPlaceholders(std::string_view text, std::vector<Placeholder>& out);

}  // namespace quenta::script
