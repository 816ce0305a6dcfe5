// CSV and TSV: one column of every row, read by libcsv (quoting, doubled
// quotes and line breaks inside quotes), and the source column beside it
// when one is named. libcsv hands over field contents
// only, so the bytes are fed one at a time to learn where each field ends,
// and a field's contents are matched back to the bytes that spell them.
#include <csv.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "MessageOriginal.h"
#include "ScriptReader.h"

namespace quenta::script {

namespace {

int NoSpace(unsigned char) { return 0; }  // every byte of a field is the writer's

class FieldLocator {
public:
    FieldLocator(const ScriptFile& file, const MessageSink& sink) : file_(file), sink_(sink) {
        Want(file.column, "--column", wanted_, headerName_);
        if (!file.sourceColumn.empty()) Want(file.sourceColumn, "--source-column", sourceWanted_, sourceHeaderName_);
    }

    // A column by its number from 1, or by its name in the first row.
    static void Want(const std::string& column, const char* option, int& wanted, std::string& headerName) {
        const bool numeric = !column.empty() && column.find_first_not_of("0123456789") == std::string::npos;
        if (numeric) {
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
                csv_free(&parser);
                throw std::runtime_error(csv_strerror(csv_error(&parser)));
            }
        }
        position_ = bytes.size();
        csv_fini(&parser, OnField, OnRow, this);
        csv_free(&parser);
        if (!headerName_.empty() && wanted_ < 0) {
            throw std::runtime_error("no column named '" + headerName_ + "' in the first row");
        }
        if (!sourceHeaderName_.empty() && sourceWanted_ < 0) {
            throw std::runtime_error("no column named '" + sourceHeaderName_ + "' in the first row");
        }
    }

private:
    static void OnField(void* contents, size_t length, void* self) {
        static_cast<FieldLocator*>(self)->Field(static_cast<const char*>(contents), length);
    }
    static void OnRow(int, void* self) { static_cast<FieldLocator*>(self)->Row(); }

    void Field(const char* contents, size_t length) {
        const size_t begin = fieldStart_;
        const size_t end = position_;
        fieldStart_ = position_ + 1;
        const std::string value(contents ? contents : "", contents ? length : 0);
        if (row_ == 0 && (!headerName_.empty() || !sourceHeaderName_.empty())) {
            if (value == headerName_ && wanted_ < 0) wanted_ = field_;
            if (value == sourceHeaderName_ && sourceWanted_ < 0) sourceWanted_ = field_;
        } else {
            if (field_ == wanted_) {
                Locate(value, begin, end, text_);
                haveText_ = true;
            }
            if (field_ == sourceWanted_) {
                Locate(value, begin, end, original_.text);
                haveSource_ = true;
            }
        }
        ++field_;
    }

    // A row's message goes once the row is complete: its source may come
    // after it.
    void Row() {
        if (haveText_ && !text_.bytes.empty()) {
            original_.id = std::to_string(row_ + 1);
            text_.original = haveSource_ ? &original_ : nullptr;
            sink_(text_);
        }
        haveText_ = haveSource_ = false;
        text_.Clear();
        original_.Clear();
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

    const ScriptFile& file_;
    const MessageSink& sink_;
    int wanted_ = -1;
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
};

}  // namespace

void ReadDelimitedMessages(const ScriptFile& file, const MessageSink& sink) {
    FieldLocator(file, sink).Run();
}

}  // namespace quenta::script
