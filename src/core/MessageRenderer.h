// The renderer a host gets from CreateInterface: parses marked-up text into
// lines of one-character runs and draws them through the sibling modules.
#pragma once

#include <cstdint>
#include <vector>

#include "core/ModuleBinding.h"
#include "core/PlotraBinding.h"
#include "layout/StyleState.h"
#include "layout/TextLine.h"
#include "markup/ColorPair.h"
#include "markup/MarkupScanner.h"
#include "quenta/MessageRenderer.h"
#include "quenta/TextPainter.h"
#include "render/GlyphBuffer.h"

namespace quenta {

class MessageRenderer final : public IMessageRenderer {
public:
    MessageRenderer();
    MessageRenderer(const MessageRenderer&) = delete;
    MessageRenderer& operator=(const MessageRenderer&) = delete;
    ~MessageRenderer();

    int32_t AddRef() override;
    int32_t Release() override;
    void SetText(const char* text) override;
    void Clear() override;
    void Draw(Surface* target, int32_t x, int32_t y) override;
    void* GetSubInterface(const InterfaceId* iid) override;

    // First-use initialisation: binds Scrivo2 and Plotra and gives the glyph
    // buffer its storage. True when parsing may go on.
    bool EnsureReady();

    // Run emission.
    void AppendTextRun(const char* bytes, int32_t length);
    void AppendTextRun(const TextString& piece) { AppendTextRun(piece.data, piece.Length()); }
    bool AppendErrorText();
    void BreakLine();
    void ResetStyle();

    // The tags that take colours or fetch a picture.
    bool ParseColorTag();
    bool ParseEdgeColorTag();
    bool ParseShadowColorTag();
    bool ParsePictureTag();

    int32_t refCount = 1;
    LineList lines;  // the lines and currentLine
    MarkupScanner scanner;
    ModuleBinding scrivoBinding;
    TextPainter* scrivo = nullptr;
    PlotraBinding plotraBinding;
    GlyphBuffer glyphBuffer;
    StyleState style;
    std::vector<int32_t> sizeStack;
    std::vector<ColorPair> colorStack;
    std::vector<ColorPair> edgeColorStack;
    std::vector<ColorPair> shadowColorStack;
    std::vector<int32_t> fontStack;
    std::vector<int32_t> charSpacingStack;
    std::vector<int32_t> lineSpacingStack;
    std::vector<int32_t> centerStack;
    std::vector<int32_t> wStack;

private:
    void ParseText(const char* text);
    bool ReadColor(RgbColor& color);
    bool ApplyTag(const TextString& name);
    void DrawTextRun(Surface* target, const TextRun& run, int32_t runX, int32_t runY);
    void DrawPictureRun(Surface* target, const TextRun& run, int32_t runX, int32_t runY);

    TextString piece_;    // scratch for the character being read
    TextString tagName_;  // scratch for the tag name being read
};

}  // namespace quenta
