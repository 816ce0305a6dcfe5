#include "RenderJob.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "ArchivePictures.h"
#include "Background.h"
#include "BitmapSurface.h"
#include "DrawingExtent.h"
#include "InputText.h"
#include "quenta/Ref.h"
#include "ModuleSet.h"
#include "PngWriter.h"
#include "ToolError.h"
#include "quenta/MessageRenderer.h"
#include "quenta/Pictura.h"
#include "quenta/TextPainter.h"
#include "quenta/Vaultrix.h"

namespace quenta::render {

namespace {

// The face names Quenta selects, in Shift-JIS: "ＭＳ ゴシック" and "ＭＳ 明朝".
constexpr char kGothicFace[] = "\x82l\x82r \x83S\x83V\x83\x62\x83N";
constexpr char kMinchoFace[] = "\x82l\x82r \x96\xBE\x92\xA9";

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

void UseFont(TextPainter& painter, const char* face, const std::string& path, const char* option) {
    if (path.empty()) return;
    if (!painter.SetFontFile(face, path.c_str())) {
        throw ToolError(std::string(option) + ": cannot use font file '" + path + "'");
    }
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

    ModuleSet modules(ModuleSet::DefaultFolder());
    {
        Ref<Vaultrix> vaultrix(static_cast<Vaultrix*>(modules.Create(Module::kVaultrix, kVaultrixId)));
        Ref<Pictura> pictura(static_cast<Pictura*>(modules.Create(Module::kPictura, kPicturaId)));
        if (!options.archive.empty() && !vaultrix->SetArchivePath(0, options.archive.c_str())) {
            throw ToolError("cannot open picture archive '" + options.archive +
                            "': it is neither a readable folder nor a ZIP file");
        }
        SurfacePtr backgroundPicture;
        if (!options.backgroundImage.empty()) backgroundPicture = LoadBackgroundPicture(*pictura, options.backgroundImage);

        Ref<IMessageRenderer> renderer(
            static_cast<IMessageRenderer*>(modules.Create(Module::kQuenta, kMessageRendererId)));
        // The first SetText binds Scrivo2 and Plotra; the fonts must be in
        // place before anything is drawn.
        renderer->SetText("");
        auto* painter = static_cast<TextPainter*>(renderer->GetSubInterface(&kScrivo2Id));
        if (!painter) throw ToolError("Quenta could not start with the sibling modules (see above)");
        UseFont(*painter, kGothicFace, options.gothicFont, "--gothic-font");
        UseFont(*painter, kMinchoFace, options.minchoFont, "--mincho-font");
        renderer->SetText(text.c_str());

        BitmapPtr canvas;
        Point at = options.position.value_or(Point{16, 16});
        if (options.size) {
            canvas = NewCanvas(options.size->width, options.size->height);
        } else if (backgroundPicture) {
            canvas = NewCanvas(backgroundPicture->GetWidth(), backgroundPicture->GetHeight());
        } else {
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
