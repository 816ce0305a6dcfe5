#include "CharacterChecks.h"

#include <cstdio>
#include <string_view>

#include "quenta/CharacterBytes.h"

namespace quenta::script {

namespace {

constexpr std::string_view kTagNames[] = {"B", "C", "CE", "CR", "E", "EC", "F", "G", "K", "KC", "R", "S", "SPW", "SPH", "W"};

// Code page 932's full-width forms of what a tag is made of.
constexpr char kFullLess[] = "\x81\x83";     // ＜
constexpr char kFullGreater[] = "\x81\x84";  // ＞
constexpr char kFullSlash[] = "\x81\x5E";    // ／
constexpr char kFullComma[] = "\x81\x43";    // ，

bool At(const std::string& text, size_t i, const char* pair) {
    return i + 1 < text.size() && text[i] == pair[0] && text[i + 1] == pair[1];
}

// An upper-case letter or a digit, written ASCII or full-width: its ASCII
// form, or 0.
char TagCharacter(const std::string& text, size_t i, size_t& length) {
    const auto c = static_cast<unsigned char>(text[i]);
    length = 1;
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ',' || c == '/') return static_cast<char>(c);
    if (i + 1 >= text.size()) return 0;
    const auto t = static_cast<unsigned char>(text[i + 1]);
    length = 2;
    if (c == 0x82 && t >= 0x60 && t <= 0x79) return static_cast<char>('A' + (t - 0x60));  // Ａ to Ｚ
    if (c == 0x82 && t >= 0x4F && t <= 0x58) return static_cast<char>('0' + (t - 0x4F));  // ０ to ９
    if (At(text, i, kFullComma)) return ',';
    if (At(text, i, kFullSlash)) return '/';
    return 0;
}

// A tag written with a full-width "＜" at `at`: its length, and the tag it
// stands for in ASCII; 0 when it is no tag's look-alike.
size_t LookAlike(const std::string& text, size_t at, std::string& tag) {
    tag = "<";
    size_t i = at + 2;
    size_t length = 0;
    if (i < text.size() && TagCharacter(text, i, length) == '/') {
        tag += '/';
        i += length;
    }
    std::string name;
    char c;
    while (i < text.size() && (c = TagCharacter(text, i, length)) >= 'A' && c <= 'Z') {
        name += c;
        i += length;
    }
    bool known = false;
    for (const std::string_view n : kTagNames) known = known || n == name;
    if (!known) return 0;
    tag += name;
    while (i < text.size() && (c = TagCharacter(text, i, length)) != 0 && ((c >= '0' && c <= '9') || c == ',')) {
        tag += c;
        i += length;
    }
    if (At(text, i, kFullGreater)) return i + 2 - at;
    if (i < text.size() && text[i] == '>') return i + 1 - at;
    return 0;
}

const char* ControlName(unsigned char c) {
    switch (c) {
        case '\t': return "a tab";
        case '\n': return "a line feed";
        case '\r': return "a carriage return";
        case '\a': return "a bell character";
        case '\b': return "a backspace";
        case '\f': return "a form feed";
        case '\v': return "a vertical tab";
        case 0x1B: return "an escape character";
        case 0x7F: return "a delete character";
        default: return "a control character";
    }
}

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }

// Whether the character before `i` (tags skipped) leaves a quote at `i`
// opening: none, a blank, or an opening bracket or dash.
bool OpensAt(const std::string& text, const LaidOutMessage& laid, size_t i, size_t tagIndex) {
    while (i > 0) {
        // A tag just before: look past it.
        bool skipped = false;
        for (size_t t = tagIndex; t-- > 0;) {
            const TagNote& tag = laid.tags[t];
            if (static_cast<size_t>(tag.end) == i && tag.event != TagEvent::kUnknownName) {
                i = static_cast<size_t>(tag.begin);
                tagIndex = t;
                skipped = true;
                break;
            }
            if (static_cast<size_t>(tag.end) < i) break;
        }
        if (!skipped) break;
    }
    if (i == 0) return true;
    const auto before = static_cast<unsigned char>(text[i - 1]);
    if (IsBlank(before) || before == '(' || before == '[' || before == '{' || before == '-' || before == '"') return true;
    // A full-width character (a two-byte one ends at i - 1): Japanese text
    // around an English quotation, or a full-width bracket.
    if (i >= 2 && OpensPair(static_cast<unsigned char>(text[i - 2])) && CharacterBytes(text.c_str() + i - 2) == 2) {
        return true;
    }
    return false;
}

}  // namespace

void CheckCharacters(const std::string& text, const LaidOutMessage& laid, const ShowText& show,
                     std::vector<MessageFinding>& out) {
    size_t tag = 0;  // the next tag at or after i
    for (size_t i = 0; i < text.size();) {
        while (tag < laid.tags.size() && static_cast<size_t>(laid.tags[tag].end) <= i) ++tag;
        if (tag < laid.tags.size() && static_cast<size_t>(laid.tags[tag].begin) <= i &&
            laid.tags[tag].event != TagEvent::kUnknownName) {
            i = static_cast<size_t>(laid.tags[tag].end);  // inside a tag: no character of the text
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = static_cast<size_t>(CharacterBytes(text.c_str() + i));
        const auto offset = static_cast<int32_t>(i);
        if (length == 2 && At(text, i, kFullLess)) {
            std::string ascii;
            if (const size_t span = LookAlike(text, i, ascii)) {
                ascii += '>';
                out.push_back({Check::kFullWidthTag, offset,
                               "'" + show(std::string_view(text).substr(i, span)) +
                                   "' is written with full-width characters and drawn as text; write '" + ascii + "'"});
                i += span;
                continue;
            }
        } else if (c < 0x20 || c == 0x7F) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            out.push_back({Check::kControlCharacter, offset,
                           std::string(ControlName(c)) + " (" + code + ") is drawn as a character of its own, not as " +
                               (c == '\t' ? "a blank" : c == '\r' || c == '\n' ? "a line break; write <R>" : "nothing")});
        } else if (c == '"') {
            const bool opens = OpensAt(text, laid, i, tag) && i + 1 < text.size() && !IsBlank(static_cast<unsigned char>(text[i + 1]));
            out.push_back({Check::kAsciiQuote, offset,
                           std::string("'\"' is drawn as a closing quote by the Gothic face; write ") +
                               (opens ? "\xE2\x80\x9C (opening)" : "\xE2\x80\x9D (closing)")});
        } else if (c == '\'') {
            if (OpensAt(text, laid, i, tag) && i + 1 < text.size() && !IsBlank(static_cast<unsigned char>(text[i + 1]))) {
                out.push_back({Check::kAsciiQuote, offset,
                               "an ASCII ' opens a quotation but is drawn as a closing quote by the Gothic face; write "
                               "\xE2\x80\x98 (and \xE2\x80\x99 to close)"});
            }
        }
        i += length;
    }
}

}  // namespace quenta::script
