#include "CheckCatalogue.h"

namespace quenta::script {

namespace {

constexpr CheckInfo kChecks[] = {
    {"malformed-tag", Level::kError, "A tag whose arguments are malformed: the message shows <error> in its place."},
    {"unknown-tag", Level::kError, "A name in angle brackets that is no tag: it is drawn as written."},
    {"lone-angle-bracket", Level::kWarning, "A '<' followed by no tag name: drawn as text; write '<<' for a literal '<'."},
    {"empty-close", Level::kWarning, "A closing tag with nothing saved to restore: it changes nothing."},
    {"unclosed-style", Level::kWarning, "A style or switch still on when the message ends: it carries into the next messages."},
    {"ignored-size", Level::kError, "A size of 256 or more: the tag is ignored."},
    {"missing-picture", Level::kError, "A picture number the archive lacks: the message shows <error>."},
    {"unencodable", Level::kError, "A character code page 932 cannot hold."},
    {"line-too-wide", Level::kError, "A line wider than the message window."},
    {"message-too-tall", Level::kError, "A message taller than the message window."},
    {"too-many-lines", Level::kError, "A message with more lines than allowed."},
    {"wrap-does-not-fit", Level::kError, "A message that does not fit the window even after wrapping."},
    {"full-width-tag", Level::kError, "A tag typed with full-width brackets, such as \xEF\xBC\x9CR\xEF\xBC\x9E: drawn as text."},
    {"control-character", Level::kWarning, "A control character (tab, carriage return, bell ...): the module draws it as a glyph."},
    {"ascii-quote", Level::kWarning, "An ASCII \" (or an opening '), which the Gothic face draws as a closing quote."},
    {"tag-mismatch", Level::kError, "A tag of the source missing from its translation, or one the source lacks (<R> not counted)."},
    {"picture-mismatch", Level::kError, "A picture of the source missing from its translation, or changed, or added."},
    {"open-style-mismatch", Level::kError, "A style left open at the end of a translation where its source closes it, or the reverse."},
    {"untranslated", Level::kNote, "A translation identical to its Japanese source."},
};

}  // namespace

const char* LevelName(Level level) {
    switch (level) {
        case Level::kNote: return "note";
        case Level::kWarning: return "warning";
        case Level::kError: return "error";
    }
    return "error";
}

std::span<const CheckInfo> AllChecks() { return kChecks; }

const CheckInfo* FindCheck(std::string_view name) {
    for (const CheckInfo& check : kChecks) {
        if (check.name == name) return &check;
    }
    return nullptr;
}

}  // namespace quenta::script
