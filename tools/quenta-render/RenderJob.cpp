#include "RenderJob.h"

#include <string>

#include "InputText.h"
#include "MessageDrawer.h"
#include "PngWriter.h"

namespace quenta::render {

void RunRenderJob(const Options& options) { RenderMessage(options, ReadMessageText(options)); }

void RenderMessage(const Options& options, const std::string& text) {
    MessageDrawer drawer(options);
    DrawnMessage drawn = drawer.Draw(text);
    WritePng(*drawn.canvas, options.output);
}

}  // namespace quenta::render
