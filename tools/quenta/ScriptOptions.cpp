#include "ScriptOptions.h"

#include "OptionValues.h"
#include "ToolError.h"

namespace quenta::tool {

void ScriptInputOptions::AddTo(CLI::App& c, Uses uses) {
    c.add_option("--form", form, "the script's form when its name does not tell: text, csv, tsv or po")
        ->check(CLI::IsMember({"text", "csv", "tsv", "po"}));
    if (uses.cp932) {
        c.add_flag("--cp932", cp932, "the script is Shift-JIS (code page 932); by default UTF-8 (a PO file's header may say)");
    }
    c.add_option("--column", column,
                 "CSV and TSV: the column of the messages, a number from 1 or a name in the first row (needed when there is more "
                 "than one column)");
    if (uses.columns) {
        c.add_option("--flags-column", flagsColumn,
                     "CSV and TSV: a column of flags that accept findings in the row's message (quenta-ignore-CHECK)");
        c.add_option("--key-column", keyColumn, "CSV and TSV: the column that names each message, for --baseline");
    }
    c.add_flag("--include-fuzzy", includeFuzzy, "PO: read entries marked fuzzy too (msgfmt leaves them out, and so does this by default)");
    c.add_option("--window", window, "the message window's text area, WxH in pixels: overflow is measured against it");
    if (uses.width) c.add_option("--width", width, "the line width to wrap to, in pixels, when no --window is given")->check(CLI::Range(1, 1 << 20));
    c.add_option("--max-lines", maxLines, "the most lines a message may have")->check(CLI::Range(1, 1 << 20));
    c.add_flag("--reset-between-messages", reset,
               "the host resets the style before each message (by default it carries over, as in the module)");
}

void ScriptOptions::AddTo(CLI::App& c, bool wrapping) {
    c.add_option("files", files, "script files: plain text (a blank line ends a message), .csv, .tsv or .po; - for standard input")
        ->required();
    c.add_option("-a,--archive", archive, "the pictures for <G>: a folder or a ZIP file; without it every picture is taken to exist, 0x0");
    ScriptInputOptions::AddTo(c, {.cp932 = true, .width = wrapping, .columns = !wrapping});
}

script::WindowSettings WindowOf(const std::string& window, int32_t width, int32_t maxLines) {
    script::WindowSettings settings;
    if (!window.empty()) {
        const render::CanvasSize size = render::ParseSize("--window", window);
        settings.width = size.width;
        settings.height = size.height;
    }
    if (width > 0) settings.width = width;
    if (maxLines > 0) settings.maxLines = maxLines;
    return settings;
}

std::string NoMessageText(const ScriptInputOptions& options) {
    std::string text = "no message found";
    text += options.includeFuzzy ? " (a PO file's untranslated entries are left out)"
                                 : " (a PO file's untranslated and fuzzy entries are left out; --include-fuzzy reads fuzzy ones)";
    return text;
}

script::WindowSettings ScriptInputOptions::Window() const { return WindowOf(window, width, maxLines); }

}  // namespace quenta::tool
