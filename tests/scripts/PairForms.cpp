#include "PairForms.h"

#include "ScriptForms.h"

namespace quenta::testing {

namespace {

// Appends `prefix`, then `text` (escaped for XML when asked), then `suffix`
// as one line, recording where each byte of the text lands.
PlacedText Line(std::string& bytes, int32_t line, const std::string& prefix, const std::string& text, bool xml,
                const std::string& suffix) {
    PlacedText placed;
    placed.line = line;
    int32_t column = 1;
    for (const unsigned char c : prefix) column += (c & 0xC0) != 0x80;
    bytes += prefix;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool starts = (c & 0xC0) != 0x80;
        placed.columns.push_back(starts ? column : placed.columns.back());
        const std::string spelt = xml ? EscapedXml(std::string(1, text[i])) : std::string(1, text[i]);
        bytes += spelt;
        if (starts) column += static_cast<int32_t>(spelt.size());
    }
    placed.columns.push_back(column);
    bytes += suffix + "\n";
    return placed;
}

}  // namespace

WrittenPairs WritePairs(script::ScriptForm form, int xliffVersion, const std::vector<Pair>& pairs) {
    WrittenPairs out;
    out.file.form = form;
    out.file.path = std::string("pairs.") + FormName(form);
    std::string& bytes = out.file.bytes;
    int32_t line = 1;
    switch (form) {
        case script::ScriptForm::kPlain:
        case script::ScriptForm::kWholeMessage: break;  // no sources
        case script::ScriptForm::kPo:
            bytes = "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
            line = 5;
            for (const Pair& p : pairs) {
                bytes += "#. speaker: Yui\n";
                out.sources.push_back(Line(bytes, line + 1, "msgid \"", p.source, false, "\""));
                out.translations.push_back(Line(bytes, line + 2, "msgstr \"", p.translation, false, "\""));
                bytes += "\n";
                line += 4;
            }
            break;
        case script::ScriptForm::kCsv:
        case script::ScriptForm::kTsv: {
            const bool csv = form == script::ScriptForm::kCsv;
            const std::string q = csv ? "\"" : "";
            const std::string s = csv ? "," : "\t";
            // The translation before its source: the reader hands both at the row's end.
            out.file.column = "2";
            out.file.sourceColumn = "source";
            bytes = "id" + s + "text" + s + "source\n";
            line = 2;
            for (size_t i = 0; i < pairs.size(); ++i) {
                const std::string id = std::to_string(i + 1);
                std::string row;
                const PlacedText t = Line(row, line, id + s + q, pairs[i].translation, false, q + s + q);
                row.pop_back();
                const std::string before = row;
                row.clear();
                PlacedText src = Line(row, line, "", pairs[i].source, false, q);
                const int32_t shift = static_cast<int32_t>([&] {
                    int32_t n = 0;
                    for (const unsigned char c : before) n += (c & 0xC0) != 0x80;
                    return n;
                }());
                for (int32_t& c : src.columns) c += shift;
                bytes += before + row;
                out.translations.push_back(t);
                out.sources.push_back(src);
                ++line;
            }
            break;
        }
        case script::ScriptForm::kXliff:
            if (xliffVersion == 1) {
                bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
                        "<file source-language=\"ja\" target-language=\"en\" datatype=\"plaintext\" original=\"scene\">\n"
                        "<body>\n";
                line = 5;
                for (size_t i = 0; i < pairs.size(); ++i) {
                    bytes += "  <trans-unit id=\"u" + std::to_string(i + 1) + "\">\n";
                    out.sources.push_back(Line(bytes, line + 1, "    <source>", pairs[i].source, true, "</source>"));
                    out.translations.push_back(
                        Line(bytes, line + 2, "    <target state=\"translated\">", pairs[i].translation, true, "</target>"));
                    bytes += "    <note>speaker: Yui</note>\n  </trans-unit>\n";
                    line += 5;
                }
                bytes += "</body>\n</file>\n</xliff>\n";
            } else {
                bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" version=\"2.0\" srcLang=\"ja\" trgLang=\"en\">\n"
                        " <file id=\"f1\">\n";
                line = 4;
                for (size_t i = 0; i < pairs.size(); ++i) {
                    bytes += "  <unit id=\"u" + std::to_string(i + 1) + "\">\n"
                             "   <notes><note>speaker: Yui</note></notes>\n"
                             "   <segment state=\"translated\">\n";
                    out.sources.push_back(Line(bytes, line + 3, "    <source>", pairs[i].source, true, "</source>"));
                    out.translations.push_back(Line(bytes, line + 4, "    <target>", pairs[i].translation, true, "</target>"));
                    bytes += "   </segment>\n  </unit>\n";
                    line += 7;
                }
                bytes += " </file>\n</xliff>\n";
            }
            break;
    }
    return out;
}

}  // namespace quenta::testing
