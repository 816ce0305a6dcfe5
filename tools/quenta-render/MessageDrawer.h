// The modules loaded once, with the fonts, archive and background picture of
// the options in place, drawing one message after another onto canvases of
// their own. The module's state is process-wide: one drawer at a time, used
// from one thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Options.h"
#include "quenta/BitmapSurface.h"
#include "quenta/ModuleSet.h"
#include "quenta/MessageRenderer.h"
#include "quenta/Pictura.h"
#include "quenta/Ref.h"
#include "quenta/Vaultrix.h"

namespace quenta::render {

struct DrawnMessage {
    BitmapPtr canvas;
    Point origin;        // where the text's top-left corner went
    // The canvas before the text: the drawer's, valid until its next Draw.
    BitmapSurface* backdrop = nullptr;
};

class MessageDrawer {
public:
    // Throws a ToolError when a module, the archive, the background picture
    // or a font cannot be had. A fitted canvas larger than `maxCanvasSide`
    // on a side is refused.
    explicit MessageDrawer(const Options& options, int64_t maxCanvasSide = 16384);
    MessageDrawer(const MessageDrawer&) = delete;
    MessageDrawer& operator=(const MessageDrawer&) = delete;

    // `text` is code page 932 with tags. `before` is what the host handed
    // over earlier: it leaves its style in force but is not drawn. A fitted
    // canvas is measured from `text` alone, and also holds `window` placed
    // at the text's corner. Throws a ToolError when there is no canvas to
    // draw on.
    DrawnMessage Draw(const std::string& text, const std::string& before = "",
                      std::optional<CanvasSize> window = std::nullopt);

    // The canvas's size when the options fix it (a size or a background
    // picture); none when it is fitted to each message.
    std::optional<CanvasSize> FixedCanvas() const;

private:
    Options options_;
    int64_t maxCanvasSide_;
    host::ModuleSet modules_;
    Ref<Vaultrix> vaultrix_;
    Ref<Pictura> pictura_;
    SurfacePtr backgroundPicture_;
    Ref<IMessageRenderer> renderer_;
    // The background as painted for the last canvas size: messages drawn on
    // canvases of one size copy it in rather than paint it again, which
    // took most of a message's drawing time.
    BitmapPtr backdrop_;
};

}  // namespace quenta::render
