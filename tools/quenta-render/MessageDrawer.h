// The five modules loaded once and a renderer ready to draw message after
// message on canvases made as the options say: the one-message tool draws
// one, `quenta render --script` draws a whole script in each worker.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ArchivePictures.h"
#include "Options.h"
#include "quenta/BitmapSurface.h"
#include "quenta/MessageRenderer.h"
#include "quenta/ModuleSet.h"
#include "quenta/Pictura.h"
#include "quenta/Ref.h"
#include "quenta/Vaultrix.h"

namespace quenta::render {

// The drawer's own canvases, valid until its next Draw.
struct DrawnMessage {
    BitmapSurface* canvas = nullptr;
    BitmapSurface* backdrop = nullptr;  // the canvas before the text
    Point at;                           // where the text's top-left corner went
};

class MessageDrawer {
public:
    // Loads the modules, the archive, the background picture and the fonts;
    // throws a ToolError when any of them cannot be had.
    explicit MessageDrawer(const Options& options);
    MessageDrawer(const MessageDrawer&) = delete;
    MessageDrawer& operator=(const MessageDrawer&) = delete;

    // Draws `text` (code page 932 with tags) from the default style, as a
    // fresh renderer would. A fitted canvas also holds `window` placed at
    // the text's corner. Throws a ToolError when the text cannot be drawn.
    // Messages drawn on canvases of one size share their allocation and
    // their background.
    DrawnMessage Draw(const std::string& text, std::optional<CanvasSize> window = std::nullopt);

private:
    Options options_;
    host::ModuleSet modules_;
    Ref<Vaultrix> vaultrix_;
    Ref<Pictura> pictura_;
    std::unique_ptr<ArchivePictures> pictureSizes_;
    SurfacePtr backgroundPicture_;
    Ref<IMessageRenderer> renderer_;
    // The background painted once for each canvas size in turn, and the
    // canvas it is copied to before every message: a message window's
    // worth of pixels painted and allocated once, not once per message.
    BitmapPtr backdrop_;
    BitmapPtr canvas_;
};

}  // namespace quenta::render
