#include "RenderOptionSet.h"

#include "OptionValues.h"
#include "ToolError.h"

namespace quenta::render {

RenderOptionSet::RenderOptionSet(CLI::App& app, bool ownHelp) : app_(app) {
    if (ownHelp) {
        app.set_help_flag();
        app.add_flag("-h,--help", options_.help, "show this and stop");
    }
    // Unknown options and extra files are left over rather than refused by
    // CLI11, so that the tool can name them in its own words.
    app.allow_extras();
    app.add_option("-o,--output", options_.output, "the picture to write; - for standard output");
    app.add_option("-s,--size", size_, "canvas size WxH in pixels, each side 1 to 16384");
    app.add_option("--position", position_, "where the text's top-left corner goes, X,Y (16,16)");
    app.add_option("--margin", margin_, "space around the text on a fitted canvas (16)");
    app.add_option("-b,--background", background_, "background colour RRGGBB (000000)");
    app.add_option("--background-image", options_.backgroundImage, "a PNG or BMP picture under the text");
    app.add_option("-a,--archive", options_.archive, "the pictures for <G>: a folder or a ZIP file");
    app.add_option("--gothic-font", options_.gothicFont, "the font file for face 0 (Gothic)");
    app.add_option("--mincho-font", options_.minchoFont, "the font file for face 1 (Mincho)");
    app.add_flag("--cp932", options_.cp932, "the input is Shift-JIS (code page 932) already");
    app.add_flag("--keep-newlines", options_.keepNewlines, "hand line breaks to Quenta as they are");
    app.add_option("file", options_.input, "the message text; standard input when absent or -");
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
    if (options_.help) return options_;
    for (const std::string& extra : app_.remaining()) {
        if (extra.size() > 1 && extra[0] == '-') {
            throw UsageError("unknown option '" + extra.substr(0, extra.find('=')) + "'; see --help");
        }
        throw UsageError("one input file at most; also got '" + extra + "'");
    }
    Options options = options_;
    if (!size_.empty()) options.size = ParseSize("--size", size_);
    if (!position_.empty()) options.position = ParsePoint("--position", position_);
    if (!margin_.empty()) options.margin = ParseCount("--margin", margin_, 4096);
    if (!background_.empty()) options.background = ParseColor("--background", background_);
    if (options.output.empty()) throw UsageError("no output file: give -o FILE.png");
    if (options.position && !options.size && options.backgroundImage.empty()) {
        throw UsageError("--position needs a canvas of known size: give --size or --background-image");
    }
    return options;
}

}  // namespace quenta::render
