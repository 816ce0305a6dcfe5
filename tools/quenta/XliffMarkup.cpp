#include "XliffMarkup.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quenta::script {

namespace {

bool StartsAt(const std::string& bytes, size_t at, const char* text) {
    return bytes.compare(at, std::strlen(text), text) == 0;
}

size_t Past(const std::string& bytes, size_t at, const char* end) {
    const size_t found = bytes.find(end, at);
    return found == std::string::npos ? bytes.size() : found + std::strlen(end);
}

bool IsUnitLevel(const std::string& name) { return name == "trans-unit" || name == "segment" || name == "ignorable"; }

// A code point as UTF-8; false for one that is no character.
bool AppendUtf8(std::string& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return true;
}

// The characters of a reference "&...;" (name without '&' and ';').
std::string Referenced(const std::string& name) {
    if (name == "lt") return "<";
    if (name == "gt") return ">";
    if (name == "amp") return "&";
    if (name == "quot") return "\"";
    if (name == "apos") return "'";
    std::string out;
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x';
        char* end = nullptr;
        const char* digits = name.c_str() + (hex ? 2 : 1);
        const unsigned long cp = std::strtoul(digits, &end, hex ? 16 : 10);
        if (end && *end == '\0' && end != digits && AppendUtf8(out, cp)) return out;
    }
    return "&" + name + ";";  // an entity of a DTD: libxml2's text tells it
}

}  // namespace

size_t XliffMarkup::Skip(size_t at) const {
    if (StartsAt(bytes_, at, "<!--")) return Past(bytes_, at + 4, "-->");
    if (StartsAt(bytes_, at, "<![CDATA[")) return Past(bytes_, at + 9, "]]>");
    if (StartsAt(bytes_, at, "<?")) return Past(bytes_, at + 2, "?>");
    // <!DOCTYPE ...>, with quoted strings and an internal subset in [ ].
    int depth = 0;
    for (size_t i = at + 2; i < bytes_.size(); ++i) {
        const char c = bytes_[i];
        if (c == '"' || c == '\'') {
            const size_t close = bytes_.find(c, i + 1);
            if (close == std::string::npos) return bytes_.size();
            i = close;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            --depth;
        } else if (c == '>' && depth <= 0) {
            return i + 1;
        } else if (c == '<' && depth > 0 && StartsAt(bytes_, i, "<!--")) {
            i = Past(bytes_, i + 4, "-->") - 1;
        }
    }
    return bytes_.size();
}

size_t XliffMarkup::TagEnd(size_t at) const {
    for (size_t i = at + 1; i < bytes_.size(); ++i) {
        const char c = bytes_[i];
        if (c == '"' || c == '\'') {
            const size_t close = bytes_.find(c, i + 1);
            if (close == std::string::npos) return bytes_.size();
            i = close;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return bytes_.size();
}

std::string XliffMarkup::LocalName(size_t at) const {
    size_t begin = at + 1;
    if (begin < bytes_.size() && bytes_[begin] == '/') ++begin;
    size_t end = begin;
    while (end < bytes_.size() && !std::strchr(" \t\r\n/>", bytes_[end])) ++end;
    const size_t colon = bytes_.find(':', begin);
    if (colon != std::string::npos && colon < end) begin = colon + 1;
    return bytes_.substr(begin, end - begin);
}

bool XliffMarkup::Next(XliffElementText& out) {
    while (at_ < bytes_.size()) {
        const size_t lt = bytes_.find('<', at_);
        if (lt == std::string::npos) break;
        if (StartsAt(bytes_, lt, "<!") || StartsAt(bytes_, lt, "<?")) {
            at_ = Skip(lt);
            continue;
        }
        const size_t end = TagEnd(lt);
        at_ = end;
        if (bytes_[lt + 1] == '/') {
            if (!open_.empty()) open_.pop_back();
            continue;
        }
        const bool empty = end >= 2 && bytes_[end - 2] == '/';
        std::string name = LocalName(lt);
        const bool wanted = (name == "source" || name == "target") && !open_.empty() && IsUnitLevel(open_.back());
        if (!wanted) {
            if (!empty) open_.push_back(std::move(name));
            continue;
        }
        out.target = name == "target";
        out.element = static_cast<uint32_t>(lt);
        out.text.Clear();
        if (empty) {
            out.text.end = static_cast<uint32_t>(end);
        } else {
            Decode(end, out);
        }
        return true;
    }
    at_ = bytes_.size();
    return false;
}

// The character data from `from` to the element's end tag, which it passes.
void XliffMarkup::Decode(size_t from, XliffElementText& out) {
    SourceText& text = out.text;
    int depth = 0;
    size_t i = from;
    auto lineEnd = [&](size_t at, size_t limit) {
        // "\r\n" and a "\r" alone are one "\n", at the "\r".
        text.Append('\n', static_cast<uint32_t>(at));
        return at + 1 < limit && bytes_[at + 1] == '\n' ? at + 2 : at + 1;
    };
    while (i < bytes_.size()) {
        const char c = bytes_[i];
        if (c == '<') {
            if (StartsAt(bytes_, i, "<![CDATA[")) {
                const size_t begin = i + 9;
                size_t close = bytes_.find("]]>", begin);
                if (close == std::string::npos) close = bytes_.size();
                for (size_t j = begin; j < close;) {
                    if (bytes_[j] == '\r') {
                        j = lineEnd(j, close);
                    } else {
                        text.Append(bytes_[j], static_cast<uint32_t>(j));
                        ++j;
                    }
                }
                i = std::min(bytes_.size(), close + 3);
                continue;
            }
            if (StartsAt(bytes_, i, "<!") || StartsAt(bytes_, i, "<?")) {
                i = Skip(i);
                continue;
            }
            const size_t end = TagEnd(i);
            if (bytes_[i + 1] == '/') {
                if (depth == 0) {
                    text.end = static_cast<uint32_t>(i);
                    at_ = end;
                    return;
                }
                --depth;
            } else if (!(end >= 2 && bytes_[end - 2] == '/')) {
                ++depth;
            }
            i = end;
            continue;
        }
        if (c == '&') {
            const size_t semicolon = bytes_.find(';', i);
            if (semicolon == std::string::npos) break;
            for (const char b : Referenced(bytes_.substr(i + 1, semicolon - i - 1))) text.Append(b, static_cast<uint32_t>(i));
            i = semicolon + 1;
            continue;
        }
        if (c == '\r') {
            i = lineEnd(i, bytes_.size());
            continue;
        }
        text.Append(c, static_cast<uint32_t>(i));
        ++i;
    }
    text.end = static_cast<uint32_t>(bytes_.size());
    at_ = bytes_.size();
}

std::vector<std::pair<uint32_t, uint32_t>> XliffMarkup::CdataSpans(const std::string& bytes) {
    std::vector<std::pair<uint32_t, uint32_t>> spans;
    const XliffMarkup markup(bytes);
    size_t at = 0;
    while ((at = bytes.find('<', at)) != std::string::npos) {
        if (StartsAt(bytes, at, "<![CDATA[")) {
            const size_t end = markup.Skip(at);
            spans.emplace_back(static_cast<uint32_t>(at + 9), static_cast<uint32_t>(end >= at + 12 ? end - 3 : end));
            at = end;
        } else if (StartsAt(bytes, at, "<!") || StartsAt(bytes, at, "<?")) {
            at = markup.Skip(at);
        } else {
            at = markup.TagEnd(at);
        }
    }
    return spans;
}

const char* XliffBreakTag(const std::vector<std::pair<uint32_t, uint32_t>>& cdata, uint32_t offset) {
    auto after = std::upper_bound(cdata.begin(), cdata.end(), offset,
                                  [](uint32_t o, const std::pair<uint32_t, uint32_t>& s) { return o < s.first; });
    if (after != cdata.begin() && offset < (after - 1)->second) return "<R>";
    return "&lt;R&gt;";
}

}  // namespace quenta::script
