#include "MessageChecks.h"

#include "PictureProblems.h"

#include <algorithm>
#include <cctype>

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
                out.push_back({"malformed-tag", tag.begin, message});
                break;
            }
            case TagEvent::kMissingPicture: {
                const std::string problem = problems ? problems->Problem(tag.value) : "";
                out.push_back({"missing-picture", tag.begin,
                               "picture " + std::to_string(tag.value) +
                                   (problem.empty() ? " is not in the archive" : " is damaged (" + problem + ")") +
                                   ": the window shows \"<error>\" here"});
                break;
            }
            case TagEvent::kUnknownName: {
                if (!tag.name.empty()) {
                    std::string message = Quoted(written) + " is no tag: it is drawn as written";
                    if (tag.name[0] == '/' && FormOf(tag.name)) {
                        message += "; <" + tag.name.substr(1) + "> has no closing tag";
                    }
                    out.push_back({"unknown-tag", tag.begin, message});
                    break;
                }
                const std::string word = LetterWord(text, tag.end);
                if (!word.empty()) {
                    std::string message = Quoted("<" + show(std::string_view(text).substr(static_cast<size_t>(tag.end), word.size()))) +
                                          " is no tag: tag names are upper case, and it is drawn as written";
                    if (FormOf(word)) message += "; did you mean <" + word + ">?";
                    out.push_back({"unknown-tag", tag.begin, message});
                } else {
                    out.push_back({"lone-angle-bracket", tag.begin, "'<' opens no tag and is drawn as text; write '<<' for a '<'"});
                }
                break;
            }
            case TagEvent::kEmptyClose:
                out.push_back({"empty-close", tag.begin, Quoted(written) + " closes nothing: no earlier value is saved"});
                break;
            case TagEvent::kIgnoredSize:
                out.push_back({"ignored-size", tag.begin,
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
        out.push_back({"unclosed-style", last->begin,
                       std::string(StyleName(kind.tag)) + " set by '" + written +
                           "' is still in force when the message ends and carries into the next; close it with </" +
                           std::string(kind.tag) + ">"});
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
            out.push_back({"line-too-wide", crossing->begin, message});
        }
    }
    if (window.height) {
        for (const LineBoxInfo& line : laid.lines) {
            if (line.firstRun < 0 || line.Bottom() <= *window.height) continue;
            int64_t bottom = 0;
            for (const LineBoxInfo& l : laid.lines) bottom = std::max(bottom, l.Bottom());
            out.push_back({"message-too-tall", laid.runs[static_cast<size_t>(line.firstRun)].begin,
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
                out.push_back({"too-many-lines", laid.runs[static_cast<size_t>(line.firstRun)].begin,
                               "the message has " + std::to_string(count) + " lines, " +
                                   std::to_string(*window.maxLines) + " allowed; this is the first too many"});
                break;
            }
        }
    }
}

}  // namespace quenta::script
