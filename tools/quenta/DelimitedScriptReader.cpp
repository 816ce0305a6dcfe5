// CSV and TSV: one column of every row, read by libcsv (quoting, doubled
// quotes and line breaks inside quotes). libcsv hands over field contents
// only, so the bytes are fed one at a time to learn where each field ends,
// and a field's contents are matched back to the bytes that spell them.
#include <csv.h>

#include <exception>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>
#include <algorithm>

#include "AcceptFlags.h"
#include "ScriptReader.h"

namespace quenta::script {

namespace {

int NoSpace(unsigned char) { return 0; }  // every byte of a field is the writer's

class FieldLocator {
public:
    FieldLocator(const ScriptFile& file, const MessageSink& sink) : file_(file), sink_(sink) {
        const std::string& column = file.column;
        const bool numeric = !column.empty() && column.find_first_not_of("0123456789") == std::string::npos;
        if (column.empty()) {
            wanted_ = 0;
            guessing_ = true;
        } else if (numeric) {
            wanted_ = std::atoi(column.c_str()) - 1;
            if (wanted_ < 0) throw std::runtime_error("--column counts from 1");
        } else {
            headerName_ = column;
        }
        flags_.Choose(file.flagsColumn, "--flags-column", !headerName_.empty());
        key_.Choose(file.keyColumn, "--key-column", !headerName_.empty());
    }

    void Run() {
        csv_parser parser;
        if (csv_init(&parser, 0) != 0) throw std::runtime_error("libcsv cannot start");
        csv_set_space_func(&parser, NoSpace);
        if (file_.form == ScriptForm::kTsv) csv_set_delim(&parser, CSV_TAB);
        const std::string& bytes = file_.bytes;
        size_t at = TextStart(bytes, file_.encoding);
        fieldStart_ = at;
        for (; at < bytes.size(); ++at) {
            const unsigned char byte = static_cast<unsigned char>(bytes[at]);
            if (rowStart_ && (byte == '\r' || byte == '\n')) {
                fieldStart_ = at + 1;  // libcsv skips empty lines
                continue;
            }
            rowStart_ = false;
            position_ = at;
            if (csv_parse(&parser, bytes.data() + at, 1, OnField, OnRow, this) != 1) {
                const std::string reason = csv_strerror(csv_error(&parser));
                csv_free(&parser);
                throw std::runtime_error("cannot read '" + file_.path + "': " + reason);
            }
            Rethrow(parser);
        }
        position_ = bytes.size();
        csv_fini(&parser, OnField, OnRow, this);
        Rethrow(parser);
        csv_free(&parser);
        if (!headerName_.empty() && wanted_ < 0) {
            throw std::runtime_error("'" + file_.path + "' has no column named '" + headerName_ + "' in its first row; " +
                                     Columns());
        }
        for (const OtherColumn* other : {&flags_, &key_}) {
            if (!other->name.empty() && other->index < 0) {
                throw std::runtime_error("'" + file_.path + "' has no column named '" + other->name + "' in its first row; " +
                                         Columns());
            }
        }
        if (wanted_ >= widest_ && row_ > 0) {
            throw std::runtime_error("'" + file_.path + "' has no column " + file_.column + ": no row has more than " +
                                     std::to_string(widest_) + "; " + Columns());
        }
    }

private:
    // "its columns are 1 'id', 2 'speaker', 3 'text'" from the first row.
    std::string Columns() const {
        std::string list = "its columns are";
        for (size_t i = 0; i < firstRow_.size(); ++i) {
            list += (i ? ", " : " ") + std::to_string(i + 1) + " '" + firstRow_[i] + "'";
        }
        if (firstRow_.empty()) list += " none";
        return list + " (the first row)";
    }

    // Without --column, a file of more than one column is not guessed at:
    // the first is as likely an id as the text.
    void RefuseGuess() const {
        throw std::runtime_error("'" + file_.path + "' has " + std::to_string(firstRow_.size()) +
                                 " columns: say which holds the messages with --column NAME (a name in the first row) or --column N (from 1); " +
                                 Columns());
    }

    // libcsv is C: nothing may be thrown through it. What the callbacks
    // throw waits here until csv_parse returns.
    static void OnField(void* contents, size_t length, void* self) {
        auto* locator = static_cast<FieldLocator*>(self);
        if (locator->failure_) return;
        try {
            locator->Field(static_cast<const char*>(contents), length);
        } catch (...) {
            locator->failure_ = std::current_exception();
        }
    }
    static void OnRow(int, void* self) {
        auto* locator = static_cast<FieldLocator*>(self);
        if (locator->failure_) return;
        try {
            locator->Row();
        } catch (...) {
            locator->failure_ = std::current_exception();
        }
    }
    void Rethrow(csv_parser& parser) {
        if (!failure_) return;
        csv_free(&parser);
        std::rethrow_exception(failure_);
    }

    void Field(const char* contents, size_t length) {
        const size_t begin = fieldStart_;
        const size_t end = position_;
        fieldStart_ = position_ + 1;
        const std::string value(contents ? contents : "", contents ? length : 0);
        if (row_ == 0) firstRow_.push_back(value.size() > 40 ? value.substr(0, 37) + "..." : value);
        widest_ = std::max(widest_, field_ + 1);
        if (row_ == 0 && !headerName_.empty()) {
            if (value == headerName_ && wanted_ < 0) wanted_ = field_;
            flags_.Name(value, field_);
            key_.Name(value, field_);
        } else if (guessing_ && row_ == 0 && field_ == 0) {
            firstField_ = {value, begin, end};  // a message once the row proves to be all there is
        } else {
            if (field_ == wanted_) Emit(value, begin, end);
            if (field_ == flags_.index) flags_.Take(value, begin + (begin < end && file_.bytes[begin] == '"' ? 1 : 0));
            if (field_ == key_.index) key_.Take(value, begin);
        }
        ++field_;
    }

    void Row() {
        if (guessing_ && row_ == 0) {
            if (firstRow_.size() > 1) RefuseGuess();
            Emit(firstField_.value, firstField_.begin, firstField_.end);
        }
        // The row's message goes once its other columns are read too.
        if (pending_) {
            text_.key = key_.value;
            if (flags_.index >= 0) FindAcceptFlags(flags_.value, flags_.at, text_.accepted);
            pending_ = false;
            sink_(text_);
        }
        flags_.value.clear();
        key_.value.clear();
        fieldStart_ = position_ + 1;
        rowStart_ = true;
        field_ = 0;
        ++row_;
    }

    // Maps the contents back onto the bytes [begin, end) that spell them.
    void Emit(const std::string& value, size_t begin, size_t end) {
        const std::string& bytes = file_.bytes;
        text_.Clear();
        const char quote = '"';
        if (begin < end && bytes[begin] == quote) {
            size_t i = begin + 1;
            while (i < end) {
                if (bytes[i] == quote) {
                    if (i + 1 < end && bytes[i + 1] == quote) {
                        text_.Append(quote, static_cast<uint32_t>(i));
                        i += 2;
                        continue;
                    }
                    ++i;  // the closing quote
                    continue;
                }
                text_.Append(bytes[i], static_cast<uint32_t>(i));
                ++i;
            }
        } else {
            // Unquoted fields hold no line breaks.
            for (size_t i = begin; i < end; ++i) text_.Append(bytes[i], static_cast<uint32_t>(i));
        }
        if (text_.bytes != value) {
            // Spelt in a way the mapping above does not follow: every byte
            // points at the field.
            text_.Clear();
            for (char c : value) text_.Append(c, static_cast<uint32_t>(begin));
        }
        text_.end = static_cast<uint32_t>(end);
        if (text_.bytes.empty()) return;
        BreaksToTags();
        pending_ = true;
    }

    // A line break inside a quoted field ("\r\n", "\n" or "\r") is a line
    // break of the message.
    void BreaksToTags() {
        if (text_.bytes.find_first_of("\r\n") == std::string::npos) return;
        SourceText converted;
        for (size_t i = 0; i < text_.bytes.size(); ++i) {
            const char c = text_.bytes[i];
            if (c != '\r' && c != '\n') {
                converted.Append(c, text_.origin[i]);
                continue;
            }
            converted.AppendLineBreak(text_.origin[i]);
            if (c == '\r' && i + 1 < text_.bytes.size() && text_.bytes[i + 1] == '\n') ++i;
        }
        converted.end = text_.end;
        text_ = std::move(converted);
    }

    // A column beside the messages' (flags, key), by number or by its name
    // in the first row, which must then be a header.
    struct OtherColumn {
        int index = -1;
        std::string name;
        std::string value;  // this row's
        uint32_t at = 0;

        void Choose(const std::string& column, const char* option, bool header) {
            if (column.empty()) return;
            if (column.find_first_not_of("0123456789") == std::string::npos) {
                index = std::atoi(column.c_str()) - 1;
                if (index < 0) throw std::runtime_error(std::string(option) + " counts from 1");
            } else if (!header) {
                throw std::runtime_error(std::string(option) + " names a column of the first row, which is a header only when --column names one too");
            } else {
                name = column;
            }
        }
        void Name(const std::string& header, int field) {
            if (!name.empty() && index < 0 && header == name) index = field;
        }
        void Take(const std::string& contents, size_t begin) {
            value = contents;
            at = static_cast<uint32_t>(begin);
        }
    };

    const ScriptFile& file_;
    const MessageSink& sink_;
    OtherColumn flags_, key_;
    bool pending_ = false;
    int wanted_ = -1;
    bool guessing_ = false;  // no --column: the file must have one column
    int widest_ = 0;         // the most fields a row had
    std::vector<std::string> firstRow_;
    struct {
        std::string value;
        size_t begin = 0, end = 0;
    } firstField_;
    std::string headerName_;
    size_t fieldStart_ = 0;
    size_t position_ = 0;
    bool rowStart_ = true;
    int field_ = 0;
    size_t row_ = 0;
    SourceText text_;
    std::exception_ptr failure_;
};

}  // namespace

void ReadDelimitedMessages(const ScriptFile& file, const MessageSink& sink) {
    FieldLocator(file, sink).Run();
}

}  // namespace quenta::script
