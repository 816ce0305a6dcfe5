#include "PrintfPlaceholders.h"

#include <cctype>

namespace quenta::script {

namespace {

constexpr size_t kLongestMacro = 64;

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return IsAscii(c) && std::isalpha(static_cast<unsigned char>(c)); }

// The pieces of one directive, as offsets into the text.
struct Directive {
    size_t end = 0;
    int32_t argument = 0;          // an explicit "n$", else 0
    std::vector<int32_t> stars;    // each "*": its explicit "m$", else 0
    std::string_view length;       // "l", "ll", "hh", "z" ...
    std::string_view conversion;   // "d", "s", "<PRIuMAX>"; empty when there is none
    bool percent = false;          // "%%"
};

int32_t Number(std::string_view digits) {
    int32_t n = 0;
    for (const char c : digits) n = n > 100000 ? n : n * 10 + (c - '0');
    return n;
}

Directive Read(std::string_view text, size_t at) {
    Directive d;
    size_t i = at + 1;
    const auto digits = [&] {
        const size_t start = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        return text.substr(start, i - start);
    };
    // "n$" where it stands, else nothing consumed.
    const auto position = [&]() -> int32_t {
        const size_t start = i;
        const std::string_view n = digits();
        if (!n.empty() && i < text.size() && text[i] == '$') {
            ++i;
            return Number(n);
        }
        i = start;
        return 0;
    };
    const auto number = [&] {  // digits, or "*" with an optional argument number
        if (i < text.size() && text[i] == '*') {
            ++i;
            d.stars.push_back(position());
        } else {
            digits();
        }
    };
    if (i < text.size() && text[i] == '%') {
        d.end = i + 1;
        d.percent = true;
        return d;
    }
    d.argument = position();
    while (i < text.size() && std::string_view("-+ #0'I").find(text[i]) != std::string_view::npos) ++i;
    number();
    if (i < text.size() && text[i] == '.') {
        ++i;
        number();
    }
    if (i < text.size() && text[i] == '<') {
        size_t close = i + 1;
        while (close < text.size() && close < i + kLongestMacro && IsAscii(text[close]) &&
               (std::isalnum(static_cast<unsigned char>(text[close])) || text[close] == '_')) {
            ++close;
        }
        if (close < text.size() && text[close] == '>') {
            d.conversion = text.substr(i, close + 1 - i);
            d.end = close + 1;
            return d;
        }
    }
    const size_t lengthFrom = i;
    while (i < text.size() && std::string_view("hlLqjzZt").find(text[i]) != std::string_view::npos) ++i;
    d.length = text.substr(lengthFrom, i - lengthFrom);
    if (i < text.size() && IsLetter(text[i])) {
        d.conversion = text.substr(i, 1);
        ++i;
    }
    d.end = i;
    return d;
}

// One spelling for the conversions that take the same type.
std::string TypeOf(const Directive& d) {
    std::string conversion(d.conversion);
    if (conversion.size() > 4 && conversion.compare(0, 4, "<PRI") == 0) {
        char& c = conversion[4];
        if (c == 'i') c = 'd';
        else if (c == 'o' || c == 'x' || c == 'X') c = 'u';
        return conversion;
    }
    if (conversion.size() == 1) {
        switch (conversion[0]) {
            case 'i': conversion = "d"; break;
            case 'o': case 'x': case 'X': conversion = "u"; break;
            case 'e': case 'E': case 'F': case 'g': case 'G': case 'a': case 'A': conversion = "f"; break;
            default: break;
        }
    }
    return std::string(d.length) + conversion;
}

}  // namespace

size_t PlaceholderEnd(std::string_view text, size_t at) { return Read(text, at).end; }

void FindPlaceholders(std::string_view text, std::vector<Placeholder>& out) {
    out.clear();
    int32_t next = 1;  // the argument an unnumbered directive takes
    for (size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at)) {
        const Directive d = Read(text, at);
        const auto begin = static_cast<int32_t>(at);
        const auto end = static_cast<int32_t>(d.end);
        at = d.end;
        if (d.percent) {
            out.push_back({begin, end, 0, "%"});
            continue;
        }
        if (d.conversion.empty()) continue;  // "100%" or "% " before a word: no directive
        for (const int32_t star : d.stars) out.push_back({begin, end, star > 0 ? star : next++, "*"});
        out.push_back({begin, end, d.argument > 0 ? d.argument : next++, TypeOf(d)});
    }
}

}  // namespace quenta::script
