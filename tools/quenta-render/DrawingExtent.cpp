#include "DrawingExtent.h"

#include "markup/MarkupParser.h"

namespace quenta::render {

core::Extent MeasureDrawing(const std::string& text, core::PictureSizes& pictures) {
    core::MarkupParser parser(&pictures);
    parser.Parse(text.c_str());
    return core::MeasureExtent(parser.Lines());
}

}  // namespace quenta::render
