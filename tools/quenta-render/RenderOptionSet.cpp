#include "RenderOptionSet.h"

#include "OptionValues.h"
#include "ToolError.h"

namespace quenta::render {

RenderOptionSet::RenderOptionSet(CLI::App& app, bool ownHelp) : app_(app) {
    if (ownHelp) {
        app.set_help_flag();
        app.add_flag("-h,--help", drawing_.options.help, "show this and stop");
        app.add_flag("--version", drawing_.options.version, "show the version and stop");
    }
    // Unknown options and extra files are left over rather than refused by
    // CLI11, so that the tool can name them in its own words.
    app.allow_extras();
    app.add_option("-o,--output", drawing_.options.output, "the picture to write; - for standard output");
    drawing_.AddTo(app);
    app.add_flag("--cp932", drawing_.options.cp932, "the input is Shift-JIS (code page 932) already");
    app.add_option("file", drawing_.options.input, "the message text; standard input when absent or -");
}

Options RenderOptionSet::Parse(int argc, char** argv) {
    try {
        app_.parse(argc, argv);
    } catch (const CLI::ArgumentMismatch& error) {
        // "--size: 1 required TEXT missing": an option at the end without its value.
        const std::string what = error.what();
        throw UsageError(what.substr(0, what.find(':')) + " needs a value");
    } catch (const CLI::ParseError& error) {
        throw UsageError(error.what());
    }
    return Finish();
}

Options RenderOptionSet::Finish() {
    if (drawing_.options.help || drawing_.options.version) return drawing_.options;
    for (const std::string& extra : app_.remaining()) {
        if (extra.size() > 1 && extra[0] == '-') {
            throw UsageError("unknown option '" + extra.substr(0, extra.find('=')) + "'; see --help");
        }
        throw UsageError("one input file at most; also got '" + extra + "'");
    }
    if (drawing_.options.output.empty()) throw UsageError("no output file: give -o FILE.png");
    return drawing_.Resolve();
}

}  // namespace quenta::render
