#include "RenderOptions.h"

#include "OptionValues.h"
#include "ToolError.h"

namespace quenta::tool {

void RenderOptions::AddTo(CLI::App& c) {
    c.add_option("-s,--size", size, "canvas size WxH in pixels, each side 1 to 16384");
    c.add_option("--margin", margin, "space around the text on a fitted canvas")->check(CLI::Range(0, 4096));
    c.add_option("--position", position, "where the text's top-left corner goes, X,Y (16,16)");
    c.add_option("-b,--background", background, "background colour RRGGBB (000000)");
    c.add_option("--background-image", options.backgroundImage, "a PNG or BMP picture under the text");
    c.add_option("-a,--archive", options.archive, "the pictures for <G>: a folder or a ZIP file");
    c.add_option("--gothic-font", options.gothicFont, "the font file for face 0 (Gothic)");
    c.add_option("--mincho-font", options.minchoFont, "the font file for face 1 (Mincho)");
    c.add_flag("--keep-newlines", options.keepNewlines, "hand line breaks to Quenta as they are");
}

render::Options RenderOptions::Resolve() {
    if (!size.empty()) options.size = render::ParseSize("--size", size);
    if (!position.empty()) options.position = render::ParsePoint("--position", position);
    if (!background.empty()) options.background = render::ParseColor("--background", background);
    options.margin = margin;
    if (options.position && !options.size && options.backgroundImage.empty()) {
        throw render::UsageError("--position needs a canvas of known size: give --size or --background-image");
    }
    return options;
}

}  // namespace quenta::tool
