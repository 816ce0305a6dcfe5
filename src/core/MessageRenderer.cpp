#include "core/MessageRenderer.h"

#include <new>

#include "core/ShowError.h"

namespace quenta {

MessageRenderer::MessageRenderer() = default;

MessageRenderer::~MessageRenderer() {
    if (scrivo) scrivo->Release();
    scrivo = nullptr;
    // The remaining members go in reverse declaration order: the stacks (W
    // first), the glyph buffer, the Plotra binding (clearing sharedPlotra),
    // the Scrivo2 binding, then the lines.
}

int32_t MessageRenderer::AddRef() { return ++refCount; }

int32_t MessageRenderer::Release() {
    const int32_t count = --refCount;
    if (count > 0) return count;
    delete this;
    return 0;
}

void MessageRenderer::Clear() { lines.ResetLines(); }

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

}  // namespace quenta
