#include "MessageDrawer.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "ArchivePictures.h"
#include "Background.h"
#include "DrawingExtent.h"
#include "ModuleFolder.h"
#include "ToolError.h"
#include "quenta/FontFiles.h"

namespace quenta::render {

namespace {

SurfacePtr LoadBackgroundPicture(Pictura& pictura, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes;
    if (file) bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file && !file.eof()) throw ToolError("cannot read background picture '" + path + "'");
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw ToolError("background picture '" + path + "' is too large");
    }
    SurfacePtr picture(pictura.DecodeBytes(bytes.data(), static_cast<int32_t>(bytes.size())));
    if (!picture) throw ToolError("background picture '" + path + "' is not a PNG or BMP picture that can be read");
    return picture;
}

void UseFont(IMessageRenderer& renderer, host::Face face, const std::string& path, const char* option) {
    if (path.empty()) return;
    const host::Result<void> set = host::SetFontFile(renderer, face, path);
    if (!set) throw ToolError(std::string(option) + ": " + set.Error().reason);
}

BitmapPtr NewCanvas(int32_t width, int32_t height) {
    BitmapPtr canvas(BitmapSurface::Create(width, height, 24, true, false));
    if (!canvas) throw ToolError("out of memory for a " + std::to_string(width) + "x" + std::to_string(height) + " canvas");
    return canvas;
}

}  // namespace

MessageDrawer::MessageDrawer(const Options& options, int64_t maxCanvasSide)
    : options_(options), maxCanvasSide_(maxCanvasSide) {
    // The modules stay loaded until the tool exits, when the system runs
    // their clean-up in reverse load order: Quenta's first, which gives back
    // the pictures that live in Pictura.
    if (host::Result<void> loaded = modules_.Load(ModuleFolderBesideTool()); !loaded) {
        throw ToolError("cannot load " + loaded.Error().Describe());
    }
    vaultrix_ = ValueOrThrow(modules_.Create<Vaultrix>(host::Module::kVaultrix, kVaultrixId));
    pictura_ = ValueOrThrow(modules_.Create<Pictura>(host::Module::kPictura, kPicturaId));
    if (!options_.archive.empty()) {
        if (host::Result<void> set = modules_.SetArchivePath(0, options_.archive); !set) {
            throw ToolError("cannot open picture archive: " + set.Error().Describe());
        }
    }
    if (!options_.backgroundImage.empty()) backgroundPicture_ = LoadBackgroundPicture(*pictura_, options_.backgroundImage);

    // Bound to its siblings already: the fonts must be in place before
    // anything is drawn.
    renderer_ = ValueOrThrow(modules_.NewRenderer());
    UseFont(*renderer_, host::Face::kGothic, options_.gothicFont, "--gothic-font");
    UseFont(*renderer_, host::Face::kMincho, options_.minchoFont, "--mincho-font");
}

std::optional<CanvasSize> MessageDrawer::FixedCanvas() const {
    if (options_.size) return options_.size;
    if (backgroundPicture_) return CanvasSize{backgroundPicture_->GetWidth(), backgroundPicture_->GetHeight()};
    return std::nullopt;
}

DrawnMessage MessageDrawer::Draw(const std::string& text, const std::string& before,
                                 std::optional<CanvasSize> window) {
    // Runs pile up across SetText calls and the style outlives Clear: each
    // message starts from an empty layout in the default style, as it would
    // on a renderer of its own.
    renderer_->Clear();
    renderer_->SetText("<CR>");
    renderer_->Clear();
    if (!before.empty()) {
        renderer_->SetText(before.c_str());
        renderer_->Clear();
    }
    renderer_->SetText(text.c_str());
    DrawnMessage drawn;
    drawn.origin = options_.position.value_or(kDefaultPosition);
    CanvasSize size;
    if (const std::optional<CanvasSize> fixed = FixedCanvas()) {
        size = *fixed;
    } else {
        ArchivePictures pictures(*vaultrix_, *pictura_);
        core::Extent extent = MeasureDrawing(text, pictures, before);
        if (extent.IsEmpty() && !window) {
            throw ToolError("the text draws nothing, so there is no canvas to fit; give --size WxH");
        }
        if (window) {
            // The canvas holds the window as well as the text, so that the
            // window's frame and whatever overflows it both show.
            if (extent.IsEmpty()) extent = core::Extent{0, 0, window->width, window->height};
            extent.left = std::min<int64_t>(extent.left, 0);
            extent.top = std::min<int64_t>(extent.top, 0);
            extent.right = std::max<int64_t>(extent.right, window->width);
            extent.bottom = std::max<int64_t>(extent.bottom, window->height);
        }
        const int64_t width = extent.Width() + 2 * int64_t{options_.margin};
        const int64_t height = extent.Height() + 2 * int64_t{options_.margin};
        if (width > maxCanvasSide_ || height > maxCanvasSide_) {
            throw ToolError("the text needs a " + std::to_string(width) + "x" + std::to_string(height) +
                            " canvas, more than " + std::to_string(maxCanvasSide_) +
                            " pixels a side; give --size WxH to draw part of it");
        }
        size = {static_cast<int32_t>(width), static_cast<int32_t>(height)};
        drawn.origin = {static_cast<int32_t>(options_.margin - extent.left),
                        static_cast<int32_t>(options_.margin - extent.top)};
    }
    if (!backdrop_ || backdrop_->GetWidth() != size.width || backdrop_->GetHeight() != size.height) {
        backdrop_ = NewCanvas(size.width, size.height);
        PaintBackground(*backdrop_, options_.background, backgroundPicture_.get());
    }
    drawn.canvas = NewCanvas(size.width, size.height);
    const size_t bytes = static_cast<size_t>(backdrop_->GetPitch()) * static_cast<size_t>(size.height);
    std::copy_n(backdrop_->GetPixelAddress(0, 0), bytes, drawn.canvas->GetPixelAddress(0, 0));
    drawn.backdrop = backdrop_.get();
    renderer_->Draw(drawn.canvas.get(), drawn.origin.x, drawn.origin.y);
    return drawn;
}

}  // namespace quenta::render
