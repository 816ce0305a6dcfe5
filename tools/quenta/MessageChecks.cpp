#include "MessageChecks.h"

#include "PictureProblems.h"

#include <algorithm>
#include <cctype>

#include "WrittenTag.h"

namespace quenta::script {

namespace {

struct TagForm {
    std::string_view name;
    std::string_view example;  // how the tag is written
};

constexpr TagForm kTagForms[] = {
    {"B", "<B>"},         {"C", "<C255,0,0> or <C255,255,255,0,0,255>"},
    {"CE", "<CE320>"},    {"CR", "<CR>"},
    {"E", "<E>"},         {"EC", "<EC0,0,0>"},
    {"F", "<F1>"},        {"G", "<G1>"},
    {"K", "<K>"},         {"KC", "<KC128,128,128>"},
    {"R", "<R>"},         {"S", "<S32>"},
    {"SPW", "<SPW2>"},    {"SPH", "<SPH8>"},
    {"W", "<W5>"},
};

const TagForm* FormOf(std::string_view name) {
    if (!name.empty() && name[0] == '/') name.remove_prefix(1);
    for (const TagForm& form : kTagForms) {
        if (form.name == name) return &form;
    }
    return nullptr;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// The letters after a "<" that opened no tag, upper-cased: a tag written in
// lower case, such as <r> or <br>.
std::string LetterWord(const std::string& text, int32_t from) {
    std::string word;
    for (size_t i = static_cast<size_t>(from); i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])); ++i) {
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    }
    return word;
}

// A tag for what a name from another markup means, said to the writer:
// "<BR>", "<Outline>", "<Bold>" ... ("" when nothing fits). `word` is
// upper case.
std::string_view TagMeant(const std::string& word) {
    struct Meaning {
        std::string_view word;
        std::string_view advice;
    };
    static constexpr Meaning kMeanings[] = {
        {"BR", "for a line break write <R>"},          {"N", "for a line break write <R>"},
        {"NEWLINE", "for a line break write <R>"},     {"BOLD", "for bold write <B> ... </B>"},
        {"STRONG", "for bold write <B> ... </B>"},     {"OUTLINE", "for an outline write <E> ... </E> (the edge)"},
        {"EDGE", "for an outline write <E> ... </E> (the edge)"},
        {"BORDER", "for an outline write <E> ... </E> (the edge)"},
        {"STROKE", "for an outline write <E> ... </E> (the edge)"},
        {"SHADOW", "for a shadow write <K> ... </K>"}, {"COLOR", "for a colour write <C255,0,0> ... </C>"},
        {"COLOUR", "for a colour write <C255,0,0> ... </C>"}, {"FONT", "for a face write <F1> ... </F>"},
        {"FACE", "for a face write <F1> ... </F>"},    {"SIZE", "for a size write <S32> ... </S>"},
        {"CENTER", "for centring write <CE320> ... </CE>"}, {"CENTRE", "for centring write <CE320> ... </CE>"},
        {"IMG", "for a picture write <G1>"},           {"IMAGE", "for a picture write <G1>"},
        {"PICTURE", "for a picture write <G1>"},       {"RESET", "to reset the style write <CR>"},
    };
    for (const Meaning& meaning : kMeanings) {
        if (meaning.word == word) return meaning.advice;
    }
    return "";
}

// Whether `tags` alone read as tags the parser applies (or closes): a fix
// is offered only when what it writes is certainly read so.
bool ReadsAsTags(const std::string& tags) {
    MessageLayout layout(nullptr, false);
    LaidOutMessage laid;
    layout.Lay(tags, laid);
    if (laid.tags.empty()) return false;
    return std::all_of(laid.tags.begin(), laid.tags.end(), [](const TagNote& t) {
        return t.event == TagEvent::kApplied || t.event == TagEvent::kEmptyClose;
    });
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A malformed tag as it was likely meant: blanks dropped, and a colour
// written "#rrggbb" as the three numbers it stands for.
std::string MendedTag(const std::string& written) {
    std::string out;
    for (size_t i = 0; i < written.size(); ++i) {
        const char c = written[i];
        if (c == ' ' || c == '\t') continue;
        if (c == '#' && i + 6 < written.size()) {
            int digits[6];
            bool hex = true;
            for (int k = 0; k < 6; ++k) hex = hex && (digits[k] = HexDigit(written[i + 1 + static_cast<size_t>(k)])) >= 0;
            if (hex) {
                for (int k = 0; k < 3; ++k) {
                    if (k) out += ',';
                    out += std::to_string(digits[2 * k] * 16 + digits[2 * k + 1]);
                }
                i += 6;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string_view StyleName(std::string_view tag) {
    if (tag == "C") return "the colour";
    if (tag == "CE") return "centring";
    if (tag == "EC") return "the edge colour";
    if (tag == "KC") return "the shadow colour";
    if (tag == "F") return "the face";
    if (tag == "S") return "the size";
    if (tag == "SPW") return "the character spacing";
    if (tag == "SPH") return "the line spacing";
    if (tag == "W") return "the W value";
    if (tag == "B") return "bold";
    if (tag == "E") return "the edge";
    if (tag == "K") return "the shadow";
    return "a style";
}

}  // namespace

void CheckTags(const std::string& text, const LaidOutMessage& laid, const ShowText& show,
               std::vector<MessageFinding>& out, core::PictureSizes* pictures) {
    auto* problems = dynamic_cast<PictureProblems*>(pictures);
    for (const TagNote& tag : laid.tags) {
        const std::string written = show(std::string_view(text).substr(static_cast<size_t>(tag.begin),
                                                                        static_cast<size_t>(tag.end - tag.begin)));
        switch (tag.event) {
            case TagEvent::kApplied: break;
            case TagEvent::kMalformed: {
                std::string message = "malformed tag " + Quoted(written) + ": the window shows \"<error>\" here";
                const size_t next = static_cast<size_t>(tag.end);
                if (next < text.size() && (text[next] == ' ' || text[next] == '\t')) {
                    message += "; tags take no blanks";
                }
                if (const TagForm* form = FormOf(tag.name)) message += "; write it as " + std::string(form->example);
                MessageFinding found{Check::kMalformedTag, tag.begin, message};
                const int32_t end = WrittenTagEnd(text, tag.begin, tag.end);
                const std::string typed = text.substr(static_cast<size_t>(tag.begin), static_cast<size_t>(end - tag.begin));
                if (typed.back() == '>') {
                    const std::string mended = MendedTag(typed);
                    if (mended != typed && ReadsAsTags(mended)) {
                        found.fixBegin = tag.begin;
                        found.fixEnd = end;
                        found.fix = mended;
                    }
                }
                out.push_back(std::move(found));
                break;
            }
            case TagEvent::kMissingPicture: {
                const std::string problem = problems ? problems->Problem(tag.value) : "";
                out.push_back({Check::kMissingPicture, tag.begin,
                               "picture " + std::to_string(tag.value) +
                                   (problem.empty() ? " is not in the archive" : " is damaged (" + problem + ")") +
                                   ": the window shows \"<error>\" here"});
                break;
            }
            case TagEvent::kUnknownName: {
                // The letters after "<" (and a "/"), as the writer typed
                // them: "<Outline>" is read as the unknown name "O".
                const int32_t nameFrom = tag.begin + 1 + (tag.name.rfind('/', 0) == 0 ? 1 : 0);
                const std::string word = LetterWord(text, nameFrom);
                if (tag.name.empty() && word.empty()) {
                    out.push_back({Check::kLoneAngleBracket, tag.begin, "'<' opens no tag and is drawn as text; write '<<' for a '<'",
                                   tag.begin, tag.begin + 1, "<<"});
                    break;
                }
                // Up to its ">", or at least its letters when it has none.
                const int32_t end = std::max(WrittenTagEnd(text, tag.begin, tag.end),
                                             nameFrom + static_cast<int32_t>(word.size()));
                const std::string whole = show(std::string_view(text).substr(static_cast<size_t>(tag.begin),
                                                                             static_cast<size_t>(end - tag.begin)));
                std::string message = Quoted(whole) + " is no tag: it is drawn as written";
                const std::string typed = (tag.name.rfind('/', 0) == 0 ? "/" : "") + word;
                const bool upper = text.compare(static_cast<size_t>(nameFrom), word.size(), word) == 0;
                if (!tag.name.empty() && tag.name[0] == '/' && upper && FormOf(tag.name)) {
                    message += "; <" + tag.name.substr(1) + "> has no closing tag";
                } else if (FormOf(word) && !upper) {
                    message += "; tag names are upper case: did you mean <" + typed + ">?";
                } else if (const std::string_view meant = TagMeant(word); !meant.empty()) {
                    message += "; " + std::string(meant);
                }
                MessageFinding found{Check::kUnknownTag, tag.begin, message};
                // The tag meant, where it is certain: the name in upper case,
                // or <R> for a line break of another markup.
                if (text[static_cast<size_t>(end - 1)] == '>') {
                    std::string mended;
                    if (FormOf(word) && !upper) {
                        mended = text.substr(static_cast<size_t>(tag.begin), static_cast<size_t>(end - tag.begin));
                        for (size_t i = 0; i < word.size(); ++i) mended[static_cast<size_t>(nameFrom - tag.begin) + i] = word[i];
                    } else if (TagMeant(word).ends_with("write <R>")) {
                        mended = "<R>";
                    }
                    if (!mended.empty() && ReadsAsTags(mended)) {
                        found.fixBegin = tag.begin;
                        found.fixEnd = end;
                        found.fix = mended;
                    }
                }
                out.push_back(std::move(found));
                break;
            }
            case TagEvent::kEmptyClose: {
                const bool isSwitch = tag.name == "/B" || tag.name == "/E" || tag.name == "/K";
                out.push_back({Check::kEmptyClose, tag.begin,
                               Quoted(written) + " closes nothing: " +
                                   (isSwitch ? std::string(StyleName(std::string_view(tag.name).substr(1))) + " is not on"
                                             : std::string("no earlier value is saved")),
                               tag.begin, tag.end, ""});
                break;
            }
            case TagEvent::kIgnoredSize:
                out.push_back({Check::kIgnoredSize, tag.begin,
                               "size " + std::to_string(tag.value) + " is ignored: sizes go up to 255"});
                break;
        }
    }
}

void CheckLeftOpen(const LaidOutMessage& laid, const MessageLayout::OpenState& before,
                   const MessageLayout::OpenState& after, const std::string& text, const ShowText& show,
                   std::vector<MessageFinding>& out) {
    struct Kind {
        std::string_view tag;
        bool open;  // more open after the message than before it
        std::vector<const TagNote*> openers;  // this message's, not yet closed
    };
    Kind kinds[] = {
        {"B", after.bold && !before.bold, {}},
        {"E", after.edge && !before.edge, {}},
        {"K", after.shadow && !before.shadow, {}},
        {"S", after.size > before.size, {}},
        {"C", after.color > before.color, {}},
        {"EC", after.edgeColor > before.edgeColor, {}},
        {"KC", after.shadowColor > before.shadowColor, {}},
        {"F", after.font > before.font, {}},
        {"SPW", after.charSpacing > before.charSpacing, {}},
        {"SPH", after.lineSpacing > before.lineSpacing, {}},
        {"CE", after.centerWidth > before.centerWidth, {}},
        {"W", after.wValue > before.wValue, {}},
    };
    // Follow this message's tags: an opening tag saves, its closing tag
    // takes back the last one saved here (or one from an earlier message),
    // a reset forgets them all. A switch is one place, not a stack.
    for (const TagNote& tag : laid.tags) {
        if (tag.event != TagEvent::kApplied) continue;
        if (tag.name == "CR") {
            for (Kind& kind : kinds) kind.openers.clear();
            continue;
        }
        const bool closing = !tag.name.empty() && tag.name[0] == '/';
        const std::string_view name = closing ? std::string_view(tag.name).substr(1) : std::string_view(tag.name);
        for (Kind& kind : kinds) {
            if (kind.tag != name) continue;
            const bool isSwitch = name == "B" || name == "E" || name == "K";
            if (closing || isSwitch) {
                if (isSwitch) kind.openers.clear();
                else if (!kind.openers.empty()) kind.openers.pop_back();
            }
            if (!closing) kind.openers.push_back(&tag);
        }
    }
    for (const Kind& kind : kinds) {
        if (!kind.open || kind.openers.empty()) continue;
        const TagNote* last = kind.openers.back();
        const std::string written = show(std::string_view(text).substr(static_cast<size_t>(last->begin),
                                                                        static_cast<size_t>(last->end - last->begin)));
        out.push_back({Check::kUnclosedStyle, last->begin,
                       std::string(StyleName(kind.tag)) + " set by '" + written +
                           "' is still in force when the message ends and carries into the next; close it with </" +
                           std::string(kind.tag) + ">",
                       static_cast<int32_t>(text.size()), static_cast<int32_t>(text.size()),
                       "</" + std::string(kind.tag) + ">"});
    }
}

namespace {

int32_t LinesWithRuns(const LaidOutMessage& laid) {
    return static_cast<int32_t>(std::count_if(laid.lines.begin(), laid.lines.end(),
                                              [](const LineBoxInfo& line) { return line.firstRun >= 0; }));
}

}  // namespace

void CheckFit(const LaidOutMessage& laid, const WindowSettings& window, std::vector<MessageFinding>& out) {
    if (window.width) {
        const int64_t width = *window.width;
        // Runs come line by line. A blank is drawn as nothing, so one that
        // hangs past the edge is no overflow.
        size_t i = 0;
        while (i < laid.runs.size()) {
            const int32_t line = laid.runs[i].line;
            const PlacedRun* crossing = nullptr;
            int64_t right = 0;
            int64_t left = 0;
            for (; i < laid.runs.size() && laid.runs[i].line == line; ++i) {
                const PlacedRun& run = laid.runs[i];
                if (run.width <= 0 || run.space) continue;
                right = std::max(right, run.x + run.width);
                left = std::min(left, run.x);
                if (!crossing && (run.x + run.width > width || run.x < 0)) crossing = &run;
            }
            if (!crossing) continue;
            std::string message = "line " + std::to_string(line + 1) + " is ";
            if (right > width) {
                message += std::to_string(right - width) + " pixels wider than the window (" + std::to_string(right) +
                           " of " + std::to_string(width) + ")";
            } else {
                message += "centred " + std::to_string(-left) + " pixels past the window's left edge";
            }
            out.push_back({Check::kLineTooWide, crossing->begin, message});
        }
    }
    if (window.height) {
        for (const LineBoxInfo& line : laid.lines) {
            if (line.firstRun < 0 || line.Bottom() <= *window.height) continue;
            int64_t bottom = 0;
            for (const LineBoxInfo& l : laid.lines) bottom = std::max(bottom, l.Bottom());
            out.push_back({Check::kMessageTooTall, laid.runs[static_cast<size_t>(line.firstRun)].begin,
                           "the message is " + std::to_string(bottom - *window.height) +
                               " pixels taller than the window (" + std::to_string(bottom) + " of " +
                               std::to_string(*window.height) + "); this line is the first below its bottom"});
            break;
        }
    }
    if (window.maxLines) {
        const int32_t count = LinesWithRuns(laid);
        if (count > *window.maxLines) {
            int32_t seen = 0;
            for (const LineBoxInfo& line : laid.lines) {
                if (line.firstRun < 0) continue;
                if (++seen <= *window.maxLines) continue;
                out.push_back({Check::kTooManyLines, laid.runs[static_cast<size_t>(line.firstRun)].begin,
                               "the message has " + std::to_string(count) + " lines, " +
                                   std::to_string(*window.maxLines) + " allowed; this is the first too many"});
                break;
            }
        }
    }
}

}  // namespace quenta::script
