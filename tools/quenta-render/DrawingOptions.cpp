#include "DrawingOptions.h"

#include "OptionValues.h"
#include "ToolError.h"

namespace quenta::render {

void DrawingOptions::AddTo(CLI::App& c) {
    c.add_option("-s,--size", size, "canvas size WxH in pixels, each side 1 to 16384");
    c.add_option("--position", position, "where the text's top-left corner goes, X,Y (16,16)");
    c.add_option("--margin", margin, "space around the text on a fitted canvas (16)");
    c.add_option("-b,--background", background, "background colour RRGGBB (000000)");
    c.add_option("--background-image", options.backgroundImage, "a PNG or BMP picture under the text");
    c.add_option("-a,--archive", options.archive, "the pictures for <G>: a folder or a ZIP file");
    c.add_option("--gothic-font", options.gothicFont, "the font file for face 0 (Gothic)");
    c.add_option("--mincho-font", options.minchoFont, "the font file for face 1 (Mincho)");
    c.add_flag("--keep-newlines", options.keepNewlines, "hand line breaks to Quenta as they are");
}

Options DrawingOptions::Resolve() const {
    Options resolved = options;
    if (!size.empty()) resolved.size = ParseSize("--size", size);
    if (!position.empty()) resolved.position = ParsePoint("--position", position);
    if (!margin.empty()) resolved.margin = ParseCount("--margin", margin, 4096);
    if (!background.empty()) resolved.background = ParseColor("--background", background);
    if (resolved.position && !resolved.size && resolved.backgroundImage.empty()) {
        throw UsageError("--position needs a canvas of known size: give --size or --background-image");
    }
    return resolved;
}

}  // namespace quenta::render
