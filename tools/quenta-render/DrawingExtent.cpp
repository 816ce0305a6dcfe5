#include "DrawingExtent.h"

#include "markup/MarkupParser.h"

namespace quenta::render {

core::Extent MeasureDrawing(const std::string& text, core::PictureSizes& pictures, const std::string& before) {
    core::MarkupParser parser(&pictures);
    if (!before.empty()) {
        parser.Parse(before.c_str());
        parser.ResetLines();
    }
    parser.Parse(text.c_str());
    return core::MeasureExtent(parser.Lines());
}

}  // namespace quenta::render
