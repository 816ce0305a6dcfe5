// PO files: the translations, read by libgettextpo. libgettextpo tells no
// places, so each msgstr keyword is also found in the file, in the same
// order, and its quoted strings are matched back to the bytes that spell
// them (escapes included). Untranslated entries and the header are skipped,
// and so are fuzzy ones, as msgfmt leaves them out, unless asked for.
#include <gettext-po.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AcceptFlags.h"
#include "ScriptReader.h"

namespace quenta::script {

namespace {

// libgettextpo reports through these; the first error is kept and thrown.
thread_local std::string* poError = nullptr;

void XError(int severity, po_message_t, const char* filename, size_t line, size_t column, int,
            const char* text) {
    if (severity == PO_SEVERITY_WARNING || !poError || !poError->empty()) return;
    *poError = std::string(filename ? filename : "") + ":" + std::to_string(line) + ":" +
               std::to_string(column) + ": " + text;
}

void XError2(int severity, po_message_t, const char* filename, size_t line, size_t column, int,
             const char* text, po_message_t, const char*, size_t, size_t, int, const char*) {
    XError(severity, nullptr, filename, line, column, 0, text);
}

// The quoted strings after one msgstr keyword, decoded with their places.
struct LocatedString {
    SourceText text;
    size_t keyword = 0;
};

char Unescape(char c) {
    switch (c) {
        case 't': return '\t';
        case 'r': return '\r';
        case 'a': return '\a';
        case 'b': return '\b';
        case 'f': return '\f';
        case 'v': return '\v';
        default: return c;  // \" \\ and the rest stand for themselves
    }
}

// Every msgstr of the file outside obsolete entries, in order.
class MsgstrScanner {
public:
    explicit MsgstrScanner(const std::string& bytes) : bytes_(bytes) {}

    bool Next(LocatedString& out) {
        while (at_ < bytes_.size()) {
            const size_t lineStart = at_;
            const size_t lineEnd = LineEnd(at_);
            at_ = lineEnd + 1;
            const bool comment = bytes_[lineStart] == '#';
            if (afterMsgstr_ && (comment || bytes_.compare(lineStart, 7, "msgctxt") == 0 ||
                                 bytes_.compare(lineStart, 6, "msgid ") == 0)) {
                // The next entry begins.
                flags_.clear();
                afterMsgstr_ = false;
            }
            if (comment) {
                // A translator's comment ("# ..."), which msgmerge and
                // msgcat keep, holds the entry's accepting flags; the
                // "#," flags line would lose unknown flags to them.
                const char second = lineStart + 1 < lineEnd ? bytes_[lineStart + 1] : ' ';
                if (second == ' ' || second == '\t' || second == '\r') {
                    FindAcceptFlags(std::string_view(bytes_).substr(lineStart, lineEnd - lineStart),
                                    static_cast<uint32_t>(lineStart), flags_);
                }
                continue;
            }
            if (bytes_.compare(lineStart, 6, "msgstr") != 0) continue;
            out.text.Clear();
            out.text.accepted = flags_;
            afterMsgstr_ = true;
            out.keyword = lineStart;
            size_t quote = bytes_.find('"', lineStart);
            if (quote == std::string::npos || quote > lineEnd) return true;
            Decode(quote, lineEnd, out.text);
            // Continuation lines are nothing but a quoted string.
            while (at_ < bytes_.size()) {
                size_t i = at_;
                while (i < bytes_.size() && (bytes_[i] == ' ' || bytes_[i] == '\t')) ++i;
                if (i >= bytes_.size() || bytes_[i] != '"') break;
                const size_t end = LineEnd(at_);
                Decode(i, end, out.text);
                at_ = end + 1;
            }
            return true;
        }
        return false;
    }

private:
    size_t LineEnd(size_t from) const {
        const size_t end = bytes_.find('\n', from);
        return end == std::string::npos ? bytes_.size() : end;
    }

    void Decode(size_t quote, size_t lineEnd, SourceText& text) const {
        size_t i = quote + 1;
        while (i < lineEnd && bytes_[i] != '"') {
            if (bytes_[i] == '\\' && i + 1 < lineEnd) {
                if (bytes_[i + 1] == 'n') text.AppendLineBreak(static_cast<uint32_t>(i));
                else text.Append(Unescape(bytes_[i + 1]), static_cast<uint32_t>(i));
                i += 2;
            } else {
                text.Append(bytes_[i], static_cast<uint32_t>(i));
                ++i;
            }
        }
        text.end = static_cast<uint32_t>(i);
    }

    const std::string& bytes_;
    size_t at_ = 0;
    std::vector<AcceptFlag> flags_;  // the current entry's
    bool afterMsgstr_ = false;
};

// The translation as the scanner decodes it: a line break is the break tag.
std::string WithBreakTags(const char* translation) {
    std::string out;
    for (const char* p = translation; *p; ++p) {
        if (*p == '\n') out += "<R>";
        else out += *p;
    }
    return out;
}

// The entry's identity: its context and id, joined as gettext joins them,
// and the plural form after another separator.
std::string EntryKey(po_message_t message, int form) {
    std::string key;
    if (const char* context = po_message_msgctxt(message)) key = std::string(context) + '\x04';
    key += po_message_msgid(message);
    if (form >= 0) key += "\x04[" + std::to_string(form) + "]";
    return key;
}

void EmitTranslation(const char* translation, bool cFormat, std::string key, LocatedString& located,
                     const MessageSink& sink) {
    if (!translation || !*translation) return;
    const std::string expected = WithBreakTags(translation);
    if (located.text.bytes != expected) {
        // Not what the scanner found: every byte points at the keyword.
        std::vector<AcceptFlag> accepted = std::move(located.text.accepted);
        located.text.Clear();
        located.text.accepted = std::move(accepted);
        for (const char c : expected) located.text.Append(c, static_cast<uint32_t>(located.keyword));
        located.text.end = static_cast<uint32_t>(located.keyword);
    }
    located.text.cFormat = cFormat;
    located.text.key = std::move(key);
    sink(located.text);
}

}  // namespace

std::string WrittenText(const ScriptFile& file, std::string_view written) {
    if (file.form != ScriptForm::kPo) return std::string(written);
    // The bytes start inside the first quoted string, past its quote.
    std::string out;
    bool quoted = true;
    for (size_t i = 0; i < written.size(); ++i) {
        const char c = written[i];
        if (!quoted) {
            quoted = c == '"';
        } else if (c == '"') {
            quoted = false;
        } else if (c == '\\' && i + 1 < written.size()) {
            const char next = written[++i];
            out += next == 'n' ? '\n' : Unescape(next);
        } else {
            out += c;
        }
    }
    return out;
}

void ReadPoMessages(const ScriptFile& file, const MessageSink& sink) {
    // libgettextpo reads files by name: the bytes already read go through a
    // temporary file, so that what is read is what the places refer to.
    char name[] = "/tmp/quenta-po-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) throw std::runtime_error("cannot make a temporary file to read '" + file.path + "'");
    const std::unique_ptr<char, int (*)(const char*)> temporary(name, unlink);
    // Bytes recoded to UTF-8 on reading go with a header that says so.
    std::string copy;
    const std::string* bytes = &file.bytes;
    if (!file.charset.empty()) {
        const auto [begin, end] = PoCharsetName(file.bytes);
        copy = file.bytes;
        if (end > begin) copy.replace(begin, end - begin, "UTF-8");
        bytes = &copy;
    }
    const bool written = write(fd, bytes->data(), bytes->size()) == static_cast<ssize_t>(bytes->size());
    close(fd);
    if (!written) throw std::runtime_error("cannot write a temporary file to read '" + file.path + "'");
    const std::string path = name;
    // libgettextpo's handler takes no context; the error goes through this
    // thread's slot for the duration of the read.
    std::string error;
    poError = &error;
    const po_xerror_handler handler{XError, XError2};
    std::unique_ptr<struct po_file, void (*)(po_file_t)> po(po_file_read(path.c_str(), &handler), po_file_free);
    poError = nullptr;
    if (!po || !error.empty()) {
        // libgettextpo names the temporary file; the writer knows their own.
        if (error.rfind(path, 0) == 0) error = file.path + error.substr(path.size());
        throw std::runtime_error(error.empty() ? "cannot read '" + file.path + "' as a PO file" : error);
    }

    MsgstrScanner scanner(file.bytes);
    LocatedString located;
    for (const char* const* domain = po_file_domains(po.get()); domain && *domain; ++domain) {
        std::unique_ptr<struct po_message_iterator, void (*)(po_message_iterator_t)> messages(
            po_message_iterator(po.get(), *domain), po_message_iterator_free);
        while (po_message_t message = po_next_message(messages.get())) {
            if (po_message_is_obsolete(message)) continue;
            // The scanner passes a skipped entry's msgstr all the same, to
            // stay in step.
            const bool skipped = po_message_is_fuzzy(message) && !file.includeFuzzy;
            const bool cFormat = po_message_is_format(message, "c-format") != 0;
            if (po_message_msgid_plural(message)) {
                for (int form = 0; po_message_msgstr_plural(message, form); ++form) {
                    if (!scanner.Next(located)) located = {};
                    if (!skipped) {
                        EmitTranslation(po_message_msgstr_plural(message, form), cFormat, EntryKey(message, form), located, sink);
                    }
                }
                continue;
            }
            if (!scanner.Next(located)) located = {};
            if (*po_message_msgid(message) == '\0') continue;  // the header
            if (!skipped) EmitTranslation(po_message_msgstr(message), cFormat, EntryKey(message, -1), located, sink);
        }
    }
}

}  // namespace quenta::script
