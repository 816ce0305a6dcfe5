// The renderer a host gets from CreateInterface: a parser that lays the text
// out, and the bindings and scratch buffer that drawing goes through.
#pragma once

#include <cstdint>

#include "core/CachedPictures.h"
#include "core/ModuleBinding.h"
#include "core/PlotraBinding.h"
#include "markup/MarkupParser.h"
#include "quenta/MessageRenderer.h"
#include "quenta/RefCounted.h"
#include "quenta/TextPainter.h"
#include "render/GlyphBuffer.h"

namespace quenta::core {

// Counted by the shared base: created with one reference, destroyed by the
// Release that takes the count to zero.
class MessageRenderer final : public RefCounted<MessageRenderer, IMessageRenderer> {
public:
    MessageRenderer() = default;

    void SetText(const char* text) override;
    void Clear() override;
    void Draw(Surface* target, int32_t x, int32_t y) override;
    void* GetSubInterface(const InterfaceId* iid) override;

    // First-use initialisation: binds Scrivo2 and Plotra and gives the glyph
    // buffer its storage. True when parsing may go on.
    bool EnsureReady();

    const MarkupParser& Parser() const { return parser; }

    CachedPictures pictures;
    MarkupParser parser{&pictures};  // the lines, the scanner, the style and its stacks
    ModuleBinding scrivoBinding;
    TextPainter* scrivo = nullptr;
    PlotraBinding plotraBinding;
    GlyphBuffer glyphBuffer;

private:
    friend RefCounted;
    ~MessageRenderer();
};

}  // namespace quenta::core
