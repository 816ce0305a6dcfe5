// A small, complete host: loads Quenta and its siblings with the host kit,
// draws a message onto a BitmapSurface and, when asked, writes it as a PNG.
//
//   host [-m MODULE_DIR] [-a ARCHIVE] [-f GOTHIC_FONT] [-o OUTPUT.png]
//
// MODULE_DIR defaults to the installed package's module folder; ARCHIVE is a
// folder or ZIP file whose 1.png the message shows; GOTHIC_FONT is the font
// file for face 0 (else Scrivo2 asks the system for one).
#include <png.h>

#include <cstdio>
#include <string>

#include "quenta/Host.h"

namespace {

// Exit status 1 for a failure, 2 for a bad command line.
int Fail(const std::string& what, int status = 1) {
    std::fprintf(stderr, "host: error: %s\n", what.c_str());
    return status;
}

// 24-bit BGR rows to an RGB PNG file; with one byte a sample, the stride
// libpng counts in samples is the pitch.
bool WritePng(quenta::BitmapSurface& canvas, const char* path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.GetWidth());
    image.height = static_cast<png_uint_32>(canvas.GetHeight());
    image.format = PNG_FORMAT_BGR;
    return png_image_write_to_file(&image, path, 0, canvas.GetPixelAddress(0, 0), canvas.GetPitch(), nullptr) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quenta;
    std::string moduleDir = QUENTA_MODULE_DIR, archive, font, output;
    for (int i = 1; i < argc; i += 2) {
        const std::string flag = argv[i];
        std::string* value = flag == "-m" ? &moduleDir : flag == "-a" ? &archive : flag == "-f" ? &font
                           : flag == "-o" ? &output : nullptr;
        if (!value || i + 1 == argc) return Fail("usage: host [-m MODULE_DIR] [-a ARCHIVE] [-f FONT] [-o OUT.png]", 2);
        *value = argv[i + 1];
    }

    // The siblings first, then Quenta; they stay loaded until the process ends.
    host::ModuleSet modules;
    if (host::Result<void> loaded = modules.Load(moduleDir); !loaded) return Fail(loaded.Error().Describe());
    // Archive 0 holds the pictures for <G>: set it before the first <G>.
    if (!archive.empty()) {
        if (host::Result<void> set = modules.SetArchivePath(0, archive); !set) return Fail(set.Error().Describe());
    }

    // A renderer that has bound Scrivo2 and Plotra, so its faces can be set.
    host::Result<Ref<IMessageRenderer>> made = modules.NewRenderer();
    if (!made) return Fail(made.Error().Describe());
    Ref<IMessageRenderer> renderer = made.Take();
    if (!font.empty()) {
        if (host::Result<void> set = host::SetFontFile(*renderer, host::Face::kGothic, font); !set) {
            return Fail(set.Error().Describe());
        }
    }

    BitmapPtr canvas(BitmapSurface::Create(320, 96, 24, true, false));
    if (!canvas) return Fail("no memory for the canvas");
    canvas->Fill(32, 48, 80);
    // Shift-JIS: "赤" (red), a line break, then English.
    renderer->SetText("<S32><C255,0,0><E>\x90\xD4</E></C><R><S20>Hello");
    if (!archive.empty()) renderer->SetText(" <G1>");
    renderer->Draw(canvas.get(), 16, 16);
    renderer->Clear();  // forgets the text; the style in force stays

    // A host would show the canvas; this one checks that text landed on it.
    int32_t drawn = 0;
    for (int32_t y = 0; y < canvas->GetHeight(); ++y) {
        for (int32_t x = 0; x < canvas->GetWidth(); ++x) drawn += canvas->GetPixelAddress(x, y)[0] != 80;
    }
    if (drawn == 0) return Fail("the message drew nothing");
    if (!output.empty() && !WritePng(*canvas, output.c_str())) return Fail("cannot write " + output);
    std::printf("host: drew %d pixels\n", static_cast<int>(drawn));
    return 0;
}
