#include "RenderJob.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "ArchivePictures.h"
#include "Background.h"
#include "DrawingExtent.h"
#include "InputText.h"
#include "ModuleFolder.h"
#include "PngWriter.h"
#include "ToolError.h"
#include "quenta/BitmapSurface.h"
#include "quenta/FontFiles.h"
#include "quenta/MessageRenderer.h"
#include "quenta/ModuleSet.h"
#include "quenta/Pictura.h"
#include "quenta/Ref.h"

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

// As for --size: larger canvases are refused rather than half-allocated.
constexpr int64_t kMaxCanvasSide = 16384;

BitmapPtr NewCanvas(int32_t width, int32_t height) {
    BitmapPtr canvas(BitmapSurface::Create(width, height, 24, true, false));
    if (!canvas) throw ToolError("out of memory for a " + std::to_string(width) + "x" + std::to_string(height) + " canvas");
    return canvas;
}

}  // namespace

void RunRenderJob(const Options& options) { RenderMessage(options, ReadMessageText(options)); }

void RenderMessage(const Options& options, const std::string& text) {
    // The modules stay loaded until the tool exits, when the system runs
    // their clean-up in reverse load order: Quenta's first, which gives back
    // the pictures that live in Pictura.
    host::ModuleSet modules;
    if (host::Result<void> loaded = modules.Load(ModuleFolderBesideTool()); !loaded) {
        throw ToolError("cannot load " + loaded.Error().Describe());
    }
    {
        Ref<Pictura> pictura = ValueOrThrow(modules.Create<Pictura>(host::Module::kPictura, kPicturaId));
        if (!options.archive.empty()) {
            if (host::Result<void> set = modules.SetArchivePath(0, options.archive); !set) {
                throw ToolError("cannot open picture archive: " + set.Error().Describe());
            }
        }
        SurfacePtr backgroundPicture;
        if (!options.backgroundImage.empty()) backgroundPicture = LoadBackgroundPicture(*pictura, options.backgroundImage);

        // Bound to its siblings already: the fonts must be in place before
        // anything is drawn.
        Ref<IMessageRenderer> renderer = ValueOrThrow(modules.NewRenderer());
        UseFont(*renderer, host::Face::kGothic, options.gothicFont, "--gothic-font");
        UseFont(*renderer, host::Face::kMincho, options.minchoFont, "--mincho-font");
        renderer->SetText(text.c_str());

        BitmapPtr canvas;
        Point at = options.position.value_or(Point{16, 16});
        if (options.size) {
            canvas = NewCanvas(options.size->width, options.size->height);
        } else if (backgroundPicture) {
            canvas = NewCanvas(backgroundPicture->GetWidth(), backgroundPicture->GetHeight());
        } else {
            Ref<Vaultrix> vaultrix = ValueOrThrow(modules.Create<Vaultrix>(host::Module::kVaultrix, kVaultrixId));
            ArchivePictures pictures(*vaultrix, *pictura);
            const core::Extent drawn = MeasureDrawing(text, pictures);
            if (drawn.IsEmpty()) {
                throw ToolError("the text draws nothing, so there is no canvas to fit; give --size WxH");
            }
            const int64_t width = drawn.Width() + 2 * int64_t{options.margin};
            const int64_t height = drawn.Height() + 2 * int64_t{options.margin};
            if (width > kMaxCanvasSide || height > kMaxCanvasSide) {
                throw ToolError("the text needs a " + std::to_string(width) + "x" + std::to_string(height) +
                                " canvas, more than " + std::to_string(kMaxCanvasSide) +
                                " pixels a side; give --size WxH to draw part of it");
            }
            canvas = NewCanvas(static_cast<int32_t>(width), static_cast<int32_t>(height));
            at = {static_cast<int32_t>(options.margin - drawn.left), static_cast<int32_t>(options.margin - drawn.top)};
        }
        PaintBackground(*canvas, options.background, backgroundPicture.get());
        renderer->Draw(canvas.get(), at.x, at.y);
        WritePng(*canvas, options.output);
    }
}

}  // namespace quenta::render
