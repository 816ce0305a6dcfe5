// CSV and TSV: one column of every row, read by libcsv (quoting, doubled
// quotes and line breaks inside quotes), and the source column beside it
// when one is named. libcsv hands over field contents
// only, so the bytes are fed one at a time to learn where each field ends,
// and a field's contents are matched back to the bytes that spell them.
#include <csv.h>

#include <exception>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>
#include <algorithm>

#include "MessageOriginal.h"
#include "AcceptFlags.h"
#include "ScriptReader.h"

namespace quenta::script {

namespace {

int NoSpace(unsigned char) { return 0; }  // every byte of a field is the writer's

class FieldLocator {
public:
    FieldLocator(const ScriptFile& file, const MessageSink& sink) : file_(file), sink_(sink) {
        guessing_ = file.column.empty();
        Want(file.column, "--column", wanted_, headerName_);
        if (!file.sourceColumn.empty()) Want(file.sourceColumn, "--source-column", sourceWanted_, sourceHeaderName_);
        flags_.Choose(file.flagsColumn, "--flags-column", !headerName_.empty());
        key_.Choose(file.keyColumn, "--key-column", !headerName_.empty());
    }

    // A column by its number from 1, or by its name in the first row.
    static void Want(const std::string& column, const char* option, int& wanted, std::string& headerName) {
        const bool numeric = !column.empty() && column.find_first_not_of("0123456789") == std::string::npos;
        if (column.empty()) {
            wanted = 0;
        } else if (numeric) {
            wanted = std::atoi(column.c_str()) - 1;
            if (wanted < 0) throw std::runtime_error(std::string(option) + " counts from 1");
        } else {
            headerName = column;
        }
    }

    void Run() {
        csv_parser parser;
        if (csv_init(&parser, 0) != 0) throw std::runtime_error("libcsv cannot start");
        csv_set_space_func(&parser, NoSpace);
        if (file_.form == ScriptForm::kTsv) csv_set_delim(&parser, CSV_TAB);
        const std::string_view bytes = file_.bytes;
        // Only a delimiter or a line end ends a field or a row: each goes
        // to libcsv alone, so that a field's end is known, and the bytes
        // between them go in one piece.
        const char delimiter = file_.form == ScriptForm::kTsv ? '\t' : ',';
        const auto endsField = [&](char c) { return c == delimiter || c == '\r' || c == '\n'; };
        size_t at = TextStart(file_.bytes, file_.encoding);
        fieldStart_ = at;
        while (at < bytes.size()) {
            const unsigned char byte = static_cast<unsigned char>(bytes[at]);
            if (rowStart_ && (byte == '\r' || byte == '\n')) {
                fieldStart_ = at + 1;  // libcsv skips empty lines
                ++at;
                continue;
            }
            rowStart_ = false;
            size_t end = at + 1;
            if (!endsField(static_cast<char>(byte))) {
                while (end < bytes.size() && !endsField(bytes[end])) ++end;
            }
            const size_t length = end - at;
            position_ = at + length - 1;
            if (csv_parse(&parser, bytes.data() + at, length, OnField, OnRow, this) != length) {
                const std::string reason = csv_strerror(csv_error(&parser));
                csv_free(&parser);
                throw std::runtime_error("cannot read '" + file_.path + "': " + reason);
            }
            Rethrow(parser);
            at += length;
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
        if (!sourceHeaderName_.empty() && sourceWanted_ < 0) {
            throw std::runtime_error("'" + file_.path + "' has no column named '" + sourceHeaderName_ +
                                     "' in its first row for --source-column; " + Columns());
        }
        if (sourceWanted_ >= widest_ && row_ > 0) {
            throw std::runtime_error("'" + file_.path + "' has no column " + file_.sourceColumn +
                                     " for --source-column: no row has more than " + std::to_string(widest_) + "; " +
                                     Columns());
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
        if (row_ == 0 && (!headerName_.empty() || !sourceHeaderName_.empty())) {
            if (value == headerName_ && wanted_ < 0) wanted_ = field_;
            if (value == sourceHeaderName_ && sourceWanted_ < 0) sourceWanted_ = field_;
            flags_.Name(value, field_);
            key_.Name(value, field_);
        } else {
            if (field_ == wanted_) {
                Locate(value, begin, end, text_);
                haveText_ = true;
            }
            if (field_ == sourceWanted_) {
                Locate(value, begin, end, original_.text);
                haveSource_ = true;
            }
            if (field_ == flags_.index) flags_.Take(value, begin + (begin < end && file_.bytes[begin] == '"' ? 1 : 0));
            if (field_ == key_.index) key_.Take(value, begin);
        }
        ++field_;
    }

    // A row's message goes once the row is complete: its source may come
    // after it.
    void Row() {
        // Without --column, the first row is a message once it proves to be
        // all there is.
        if (guessing_ && row_ == 0 && firstRow_.size() > 1) RefuseGuess();
        if (haveText_ && !text_.bytes.empty()) {
            original_.id = std::to_string(row_ + 1);
            text_.original = haveSource_ ? &original_ : nullptr;
            text_.key = key_.value;
            if (flags_.index >= 0) FindAcceptFlags(flags_.value, flags_.at, text_.accepted);
            sink_(text_);
        }
        haveText_ = haveSource_ = false;
        text_.Clear();
        original_.Clear();
        flags_.value.clear();
        key_.value.clear();
        fieldStart_ = position_ + 1;
        rowStart_ = true;
        field_ = 0;
        ++row_;
    }

    // Maps the contents back onto the bytes [begin, end) that spell them.
    void Locate(const std::string& value, size_t begin, size_t end, SourceText& text) {
        const std::string& bytes = file_.bytes;
        text.Clear();
        const char quote = '"';
        if (begin < end && bytes[begin] == quote) {
            size_t i = begin + 1;
            while (i < end) {
                if (bytes[i] == quote) {
                    if (i + 1 < end && bytes[i + 1] == quote) {
                        text.Append(quote, static_cast<uint32_t>(i));
                        i += 2;
                        continue;
                    }
                    ++i;  // the closing quote
                    continue;
                }
                text.Append(bytes[i], static_cast<uint32_t>(i));
                ++i;
            }
        } else {
            // Unquoted fields hold no line breaks.
            for (size_t i = begin; i < end; ++i) text.Append(bytes[i], static_cast<uint32_t>(i));
        }
        if (text.bytes != value) {
            // Spelt in a way the mapping above does not follow: every byte
            // points at the field.
            text.Clear();
            for (char c : value) text.Append(c, static_cast<uint32_t>(begin));
        }
        text.end = static_cast<uint32_t>(end);
        BreaksToTags(text);
    }

    // A line break inside a quoted field ("\r\n", "\n" or "\r") is a line
    // break of the message.
    static void BreaksToTags(SourceText& text) {
        if (text.bytes.find_first_of("\r\n") == std::string::npos) return;
        SourceText converted;
        for (size_t i = 0; i < text.bytes.size(); ++i) {
            const char c = text.bytes[i];
            if (c != '\r' && c != '\n') {
                converted.Append(c, text.origin[i]);
                continue;
            }
            converted.AppendLineBreak(text.origin[i]);
            if (c == '\r' && i + 1 < text.bytes.size() && text.bytes[i + 1] == '\n') ++i;
        }
        converted.end = text.end;
        text = std::move(converted);
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
    int wanted_ = -1;
    bool guessing_ = false;  // no --column: the file must have one column
    int widest_ = 0;         // the most fields a row had
    std::vector<std::string> firstRow_;
    std::string headerName_;
    int sourceWanted_ = -1;
    std::string sourceHeaderName_;
    bool haveText_ = false;
    bool haveSource_ = false;
    MessageOriginal original_;
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
