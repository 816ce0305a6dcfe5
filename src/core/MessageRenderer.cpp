#include "core/MessageRenderer.h"

#include "core/ProcessState.h"
#include "quenta/SlotGuard.h"
#include "render/DrawPass.h"

namespace quenta::core {

MessageRenderer::~MessageRenderer() {
    if (scrivo) scrivo->Release();
    scrivo = nullptr;
    // The remaining members go in reverse declaration order: the glyph
    // buffer, the Plotra binding (clearing sharedPlotra), the Scrivo2
    // binding, then the parser with its lines and stacks.
}

// No exception leaves a slot: the host is not C++ and cannot catch one.
void MessageRenderer::SetText(const char* text) {
    Guarded([&] {
        if (EnsureReady()) parser.Parse(text);
    });
}

void MessageRenderer::Clear() {
    Guarded([&] { parser.ResetLines(); });
}

void MessageRenderer::Draw(Surface* target, int32_t x, int32_t y) {
    if (!scrivo) return;
    // Another renderer's end clears sharedPlotra; this one still has Plotra.
    plotraBinding.Republish();
    DrawTools tools;
    tools.painter = scrivo;
    tools.plotra = sharedPlotra;
    tools.blendTable = blendTable.rows;
    tools.coverage = &glyphBuffer;
    tools.pictures = &pictures;
    Guarded([&] { DrawLines(parser.Lines(), target, x, y, tools); });
}

void* MessageRenderer::GetSubInterface(const InterfaceId* iid) {
    if (!iid || !SameInterfaceId(*iid, kScrivo2Id)) return nullptr;
    return scrivo;
}

bool MessageRenderer::EnsureReady() {
    if (scrivo) return true;
    if (!scrivoBinding.Bind("Scrivo2", kScrivo2Id)) return false;
    scrivo = static_cast<TextPainter*>(scrivoBinding.iface);
    if (!plotraBinding.Bind()) return false;
    return glyphBuffer.Create(256, 256, true);
}

}  // namespace quenta::core
