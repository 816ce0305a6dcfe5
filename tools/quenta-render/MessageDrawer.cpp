#include "MessageDrawer.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "ArchivePictures.h"
#include "Background.h"
#include "DrawingExtent.h"
#include "ToolError.h"
#include "quenta/TextPainter.h"

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

BitmapPtr NewCanvas(int32_t width, int32_t height) {
    BitmapPtr canvas(BitmapSurface::Create(width, height, 24, true, false));
    if (!canvas) throw ToolError("out of memory for a " + std::to_string(width) + "x" + std::to_string(height) + " canvas");
    return canvas;
}

}  // namespace

MessageDrawer::MessageDrawer(const Options& options, int64_t maxCanvasSide)
    : options_(options), maxCanvasSide_(maxCanvasSide), modules_(ModuleSet::DefaultFolder()) {
    vaultrix_ = Ref<Vaultrix>(static_cast<Vaultrix*>(modules_.Create(Module::kVaultrix, kVaultrixId)));
    pictura_ = Ref<Pictura>(static_cast<Pictura*>(modules_.Create(Module::kPictura, kPicturaId)));
    if (!options_.archive.empty() && !vaultrix_->SetArchivePath(0, options_.archive.c_str())) {
        throw ToolError("cannot open picture archive '" + options_.archive +
                        "': it is neither a readable folder nor a ZIP file");
    }
    if (!options_.backgroundImage.empty()) backgroundPicture_ = LoadBackgroundPicture(*pictura_, options_.backgroundImage);

    renderer_ = Ref<IMessageRenderer>(static_cast<IMessageRenderer*>(modules_.Create(Module::kQuenta, kMessageRendererId)));
    // The first SetText binds Scrivo2 and Plotra; the fonts must be in place
    // before anything is drawn.
    renderer_->SetText("");
    auto* painter = static_cast<TextPainter*>(renderer_->GetSubInterface(&kScrivo2Id));
    if (!painter) throw ToolError("Quenta could not start with the sibling modules (see above)");
    UseFont(*painter, kGothicFace, options_.gothicFont, "--gothic-font");
    UseFont(*painter, kMinchoFace, options_.minchoFont, "--mincho-font");
}

std::optional<CanvasSize> MessageDrawer::FixedCanvas() const {
    if (options_.size) return options_.size;
    if (backgroundPicture_) return CanvasSize{backgroundPicture_->GetWidth(), backgroundPicture_->GetHeight()};
    return std::nullopt;
}

DrawnMessage MessageDrawer::Draw(const std::string& text, const std::string& before) {
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
    drawn.origin = options_.position.value_or(Point{16, 16});
    if (options_.size) {
        drawn.canvas = NewCanvas(options_.size->width, options_.size->height);
    } else if (backgroundPicture_) {
        drawn.canvas = NewCanvas(backgroundPicture_->GetWidth(), backgroundPicture_->GetHeight());
    } else {
        ArchivePictures pictures(*vaultrix_, *pictura_);
        const core::Extent extent = MeasureDrawing(text, pictures);
        if (extent.IsEmpty()) {
            throw ToolError("the text draws nothing, so there is no canvas to fit; give --size WxH");
        }
        const int64_t width = extent.Width() + 2 * int64_t{options_.margin};
        const int64_t height = extent.Height() + 2 * int64_t{options_.margin};
        if (width > maxCanvasSide_ || height > maxCanvasSide_) {
            throw ToolError("the text needs a " + std::to_string(width) + "x" + std::to_string(height) +
                            " canvas, more than " + std::to_string(maxCanvasSide_) +
                            " pixels a side; give --size WxH to draw part of it");
        }
        drawn.canvas = NewCanvas(static_cast<int32_t>(width), static_cast<int32_t>(height));
        drawn.origin = {static_cast<int32_t>(options_.margin - extent.left),
                        static_cast<int32_t>(options_.margin - extent.top)};
    }
    PaintBackground(*drawn.canvas, options_.background, backgroundPicture_.get());
    renderer_->Draw(drawn.canvas.get(), drawn.origin.x, drawn.origin.y);
    return drawn;
}

}  // namespace quenta::render
