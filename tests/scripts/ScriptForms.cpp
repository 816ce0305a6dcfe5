#include "ScriptForms.h"

namespace quenta::testing {

const char* FormName(script::ScriptForm form) {
    switch (form) {
        case script::ScriptForm::kPlain: return "text";
        case script::ScriptForm::kCsv: return "csv";
        case script::ScriptForm::kTsv: return "tsv";
        case script::ScriptForm::kPo: return "po";
        case script::ScriptForm::kWholeMessage: return "message";
        case script::ScriptForm::kXliff: return "xlf";
    }
    return "?";
}

std::string EscapedXml(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

WrittenScript WriteScript(script::ScriptForm form, const std::vector<std::string>& messages,
                          const std::vector<std::string>* sources) {
    WrittenScript out;
    out.file.form = form;
    out.file.path = std::string("script.") + FormName(form);
    std::string& bytes = out.file.bytes;
    int32_t line = 1;
    switch (form) {
        case script::ScriptForm::kWholeMessage:
            // One message: the messages as lines of it.
            out.starts.emplace_back(line, 1);
            for (const std::string& m : messages) bytes += m + "\n";
            break;
        case script::ScriptForm::kPlain:
            for (const std::string& m : messages) {
                out.starts.emplace_back(line, 1);
                bytes += m + "\n\n";
                line += 2;
            }
            break;
        case script::ScriptForm::kCsv:
        case script::ScriptForm::kTsv: {
            const char* separator = form == script::ScriptForm::kCsv ? "," : "\t";
            out.file.column = "text";
            bytes = std::string("id") + separator + "text\r\n";
            ++line;
            for (size_t i = 0; i < messages.size(); ++i) {
                const std::string id = std::to_string(i + 1);
                // Quoted in CSV, as spreadsheets write text; bare in TSV.
                if (form == script::ScriptForm::kCsv) {
                    out.starts.emplace_back(line, static_cast<int32_t>(id.size()) + 3);
                    bytes += id + ",\"" + messages[i] + "\"\r\n";
                } else {
                    out.starts.emplace_back(line, static_cast<int32_t>(id.size()) + 2);
                    bytes += id + "\t" + messages[i] + "\r\n";
                }
                ++line;
            }
            break;
        }
        case script::ScriptForm::kPo:
            bytes = "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
            line = 5;
            for (size_t i = 0; i < messages.size(); ++i) {
                // The source holds the same tags, so that comparing the
                // translation with it finds nothing.
                bytes += "#: scene.txt:" + std::to_string(i + 1) + "\nmsgid \"" + (sources ? (*sources)[i] : messages[i]) +
                         " (source)\"\n";
                line += 2;
                out.starts.emplace_back(line, 9);
                bytes += "msgstr \"" + messages[i] + "\"\n\n";
                line += 2;
            }
            break;
        case script::ScriptForm::kXliff:
            // Targets without sources, escaped: a column past a "<", ">"
            // or "&" of the message is not its column in the other forms.
            bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xliff version=\"1.2\">\n<file><body>\n";
            line = 4;
            for (size_t i = 0; i < messages.size(); ++i) {
                bytes += "<trans-unit id=\"" + std::to_string(i + 1) + "\">\n";
                out.starts.emplace_back(line + 1, 9);
                bytes += "<target>" + EscapedXml(messages[i]) + "</target>\n</trans-unit>\n";
                line += 3;
            }
            bytes += "</body></file>\n</xliff>\n";
            break;
    }
    return out;
}

}  // namespace quenta::testing
