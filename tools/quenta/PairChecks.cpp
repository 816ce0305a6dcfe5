#include "PairChecks.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "quenta/CharacterBytes.h"

namespace quenta::script {

namespace {

struct Tag {
    std::string written;  // code page 932, as in the text
    std::string name;     // "C", "/C", "G"
    int32_t begin = 0;
    int32_t picture = -1;  // a picture's number
};

bool Counted(const TagNote& tag, const PairSettings& settings) {
    if (tag.event == TagEvent::kUnknownName || tag.name.empty()) return false;  // drawn as text
    return settings.countBreaks || tag.name != "R";
}

// The picture's number from "<G12>"; -1 when it has none.
int32_t PictureNumber(const std::string& written) {
    int32_t number = 0;
    size_t i = 2;
    for (; i < written.size() && std::isdigit(static_cast<unsigned char>(written[i])); ++i) {
        number = std::min(number * 10 + (written[i] - '0'), 1 << 30);
    }
    return i > 2 && i + 1 == written.size() ? number : -1;
}

void Collect(const PairSide& side, const PairSettings& settings, std::vector<Tag>& tags, std::vector<Tag>& pictures) {
    for (const TagNote& note : side.laid.tags) {
        if (!Counted(note, settings)) continue;
        Tag tag;
        tag.written = side.text.substr(static_cast<size_t>(note.begin), static_cast<size_t>(note.end - note.begin));
        tag.name = note.name;
        tag.begin = note.begin;
        if (note.name == "G" && (note.event == TagEvent::kApplied || note.event == TagEvent::kMissingPicture)) {
            tag.picture = note.event == TagEvent::kMissingPicture ? note.value : PictureNumber(tag.written);
            if (tag.picture >= 0) {
                pictures.push_back(std::move(tag));
                continue;
            }
        }
        tags.push_back(std::move(tag));
    }
}

// The tags of each side that the other lacks, by the key of each: the first
// ones of a key on both sides are matched, the rest left over.
void Unmatched(const std::vector<Tag>& source, const std::vector<Tag>& translation, std::vector<const Tag*>& missing,
               std::vector<const Tag*>& extra) {
    std::map<std::string, std::pair<int, int>> counts;  // written -> seen in source, in translation
    for (const Tag& t : source) ++counts[t.written].first;
    for (const Tag& t : translation) ++counts[t.written].second;
    std::map<std::string, int> seen;
    for (const Tag& t : source) {
        const auto& c = counts[t.written];
        if (++seen[t.written] > c.second) missing.push_back(&t);
    }
    seen.clear();
    for (const Tag& t : translation) {
        const auto& c = counts[t.written];
        if (++seen[t.written] > c.first) extra.push_back(&t);
    }
}

std::string Quoted(const ShowText& show, const std::string& cp932) { return "'" + show(cp932) + "'"; }

std::string Counts(const std::vector<Tag>& source, const std::vector<Tag>& translation, const std::string& written) {
    const auto in = [&](const std::vector<Tag>& tags) {
        return std::count_if(tags.begin(), tags.end(), [&](const Tag& t) { return t.written == written; });
    };
    const auto s = in(source);
    const auto t = in(translation);
    if (s <= 1 && t <= 1) return "";
    return " (the source has " + std::to_string(s) + ", the translation " + std::to_string(t) + ")";
}

// Pairs what is missing with what is extra of the same name (a changed
// argument or number), then reports the rest.
void Report(Check check, bool pictures, const std::vector<Tag>& sourceTags, const std::vector<Tag>& translationTags,
            const ShowText& show, std::vector<MessageFinding>& out) {
    std::vector<const Tag*> missing;
    std::vector<const Tag*> extra;
    Unmatched(sourceTags, translationTags, missing, extra);
    auto describe = [&](const Tag& t) {
        return pictures ? "picture " + std::to_string(t.picture) + " (" + Quoted(show, t.written) + ")" : Quoted(show, t.written);
    };
    std::vector<bool> paired(extra.size(), false);
    for (const Tag* m : missing) {
        size_t e = 0;
        while (e < extra.size() && (paired[e] || !(pictures || extra[e]->name == m->name))) ++e;
        if (e < extra.size()) {
            paired[e] = true;
            out.push_back({check, extra[e]->begin, describe(*extra[e]) + " where the source has " + describe(*m), m->begin,
                           "the source's " + describe(*m)});
            continue;
        }
        out.push_back({check, 0, describe(*m) + " of the source is missing" + Counts(sourceTags, translationTags, m->written),
                       m->begin, "the source's " + describe(*m)});
    }
    for (size_t i = 0; i < extra.size(); ++i) {
        if (paired[i]) continue;
        out.push_back({check, extra[i]->begin,
                       describe(*extra[i]) + " is not in the source" + Counts(sourceTags, translationTags, extra[i]->written),
                       0, ""});
    }
}

struct StyleKind {
    std::string_view tag;
    std::string_view name;
    size_t (*depth)(const MessageLayout::OpenState&);
};

constexpr StyleKind kStyleKinds[] = {
    {"B", "bold", [](const MessageLayout::OpenState& o) -> size_t { return o.bold; }},
    {"E", "the edge", [](const MessageLayout::OpenState& o) -> size_t { return o.edge; }},
    {"K", "the shadow", [](const MessageLayout::OpenState& o) -> size_t { return o.shadow; }},
    {"S", "the size", [](const MessageLayout::OpenState& o) { return o.size; }},
    {"C", "the colour", [](const MessageLayout::OpenState& o) { return o.color; }},
    {"EC", "the edge colour", [](const MessageLayout::OpenState& o) { return o.edgeColor; }},
    {"KC", "the shadow colour", [](const MessageLayout::OpenState& o) { return o.shadowColor; }},
    {"F", "the face", [](const MessageLayout::OpenState& o) { return o.font; }},
    {"SPW", "the character spacing", [](const MessageLayout::OpenState& o) { return o.charSpacing; }},
    {"SPH", "the line spacing", [](const MessageLayout::OpenState& o) { return o.lineSpacing; }},
    {"CE", "centring", [](const MessageLayout::OpenState& o) { return o.centerWidth; }},
    {"W", "the W value", [](const MessageLayout::OpenState& o) { return o.wValue; }},
};

// The last applied tag of the kind (opening or closing) in the side's text.
const TagNote* LastOfKind(const PairSide& side, std::string_view kind) {
    const TagNote* last = nullptr;
    for (const TagNote& tag : side.laid.tags) {
        if (tag.event != TagEvent::kApplied) continue;
        std::string_view name = tag.name;
        if (!name.empty() && name[0] == '/') name.remove_prefix(1);
        if (name == kind) last = &tag;
    }
    return last;
}

void CompareOpenStyles(const PairSide& source, const PairSide& translation, const ShowText& show,
                       std::vector<MessageFinding>& out) {
    for (const StyleKind& kind : kStyleKinds) {
        const auto before = static_cast<long>(kind.depth(translation.before)) - static_cast<long>(kind.depth(source.before));
        const auto after = static_cast<long>(kind.depth(translation.after)) - static_cast<long>(kind.depth(source.after));
        if (before != 0 || after == 0) continue;
        const TagNote* here = LastOfKind(translation, kind.tag);
        const TagNote* there = LastOfKind(source, kind.tag);
        const auto written = [&](const PairSide& side, const TagNote* tag) {
            return Quoted(show, side.text.substr(static_cast<size_t>(tag->begin), static_cast<size_t>(tag->end - tag->begin)));
        };
        std::string text;
        if (after > 0) {
            text = std::string(kind.name) + (here ? " set by " + written(translation, here) : std::string()) +
                   " is left open at the end of the message, where the source closes it; close it with </" +
                   std::string(kind.tag) + ">";
        } else {
            text = "the source leaves " + std::string(kind.name) +
                   " open at the end of the message, into the next, and the translation does not";
        }
        out.push_back({Check::kOpenStyleMismatch, here ? here->begin : 0, std::move(text), there ? there->begin : 0,
                       there ? "the source's " + written(source, there) : ""});
    }
}

// Whether both sides hold the same counted tags in the same order: the
// usual case, told without building anything.
bool SameTags(const PairSide& source, const PairSide& translation, const PairSettings& settings) {
    auto a = source.laid.tags.begin();
    auto b = translation.laid.tags.begin();
    const auto next = [&](std::vector<TagNote>::const_iterator& i, const PairSide& side) {
        while (i != side.laid.tags.end() && !Counted(*i, settings)) ++i;
    };
    for (;;) {
        next(a, source);
        next(b, translation);
        if (a == source.laid.tags.end() || b == translation.laid.tags.end()) {
            return a == source.laid.tags.end() && b == translation.laid.tags.end();
        }
        if (a->end - a->begin != b->end - b->begin ||
            source.text.compare(static_cast<size_t>(a->begin), static_cast<size_t>(a->end - a->begin), translation.text,
                                static_cast<size_t>(b->begin), static_cast<size_t>(b->end - b->begin)) != 0) {
            return false;
        }
        ++a;
        ++b;
    }
}

}  // namespace

bool ComparesWithSource(Check check) {
    switch (check) {
        case Check::kTagMismatch:
        case Check::kPictureMismatch:
        case Check::kOpenStyleMismatch:
        case Check::kPlaceholderMismatch:
        case Check::kUntranslated: return true;
        default: return false;
    }
}

bool HoldsJapanese(const std::string& cp932) {
    for (size_t i = 0; i < cp932.size();) {
        const auto lead = static_cast<unsigned char>(cp932[i]);
        const int32_t length = CharacterBytes(cp932.c_str() + i);
        if (length == 1) {
            if (lead >= 0xA6 && lead <= 0xDD) return true;  // half-width kana
        } else {
            const auto trail = static_cast<unsigned char>(cp932[i + 1]);
            if (lead == 0x82 && trail >= 0x9F) return true;          // hiragana
            if (lead == 0x83 && trail <= 0x96) return true;          // katakana
            if ((lead >= 0x88 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) return true;  // kanji
        }
        i += static_cast<size_t>(length);
    }
    return false;
}

void ComparePair(const PairSide& source, const PairSide& translation, const PairSettings& settings,
                 const ShowText& show, std::vector<MessageFinding>& out) {
    if (!SameTags(source, translation, settings)) {
        std::vector<Tag> sourceTags, sourcePictures, translationTags, translationPictures;
        Collect(source, settings, sourceTags, sourcePictures);
        Collect(translation, settings, translationTags, translationPictures);
        Report(Check::kTagMismatch, false, sourceTags, translationTags, show, out);
        Report(Check::kPictureMismatch, true, sourcePictures, translationPictures, show, out);
    }
    CompareOpenStyles(source, translation, show, out);
    if (source.text == translation.text && HoldsJapanese(source.text)) {
        out.push_back({Check::kUntranslated, 0, "the translation is its Japanese source, unchanged", 0, ""});
    }
}

}  // namespace quenta::script
