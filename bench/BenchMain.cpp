// Quenta beside PangoCairo: every case comes as a Quenta/... and a
// PangoCairo/... benchmark on the same text, face, size and surface.
#include <benchmark/benchmark.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "BatchCorpus.h"
#include "FontMetrics.h"
#include "MeasuredRun.h"
#include "Messages.h"
#include "Workbench.h"
#include "quenta/FontFiles.h"

namespace quenta::bench {

namespace {

// The file fontconfig chooses for the family, as Pango will; it must be the
// family itself, not a substitute.
std::string FontFileOf(const char* family) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    std::string file;
    FcChar8* value = nullptr;
    if (font && FcPatternGetString(font, FC_FAMILY, 0, &value) == FcResultMatch &&
        std::string(reinterpret_cast<const char*>(value)) == family &&
        FcPatternGetString(font, FC_FILE, 0, &value) == FcResultMatch) {
        file = reinterpret_cast<const char*>(value);
    }
    if (font) FcPatternDestroy(font);
    if (file.empty()) throw std::runtime_error(std::string("the font ") + family + " is not installed");
    return file;
}

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) throw std::runtime_error(std::string("cannot read ") + path);
    if (text.empty()) throw std::runtime_error(std::string(path) + " is empty");
    return text;
}

void Require(const host::Result<void>& done) {
    if (!done) throw std::runtime_error(done.Error().Describe());
}

}  // namespace

RendererPtr NewRenderer(const Workbench& bench) {
    host::Result<RendererPtr> renderer = bench.modules.NewRenderer();
    if (!renderer) throw std::runtime_error(renderer.Error().Describe());
    Require(host::SetFontFile(**renderer, host::Face::kGothic, bench.fontFile));
    return renderer.Take();
}

BitmapPtr NewWindowSurface() {
    BitmapPtr surface(BitmapSurface::Create(kSurfaceWidth, kSurfaceHeight, 32, true, false));
    if (!surface) throw std::runtime_error("no memory for the surface");
    surface->Fill(24, 32, 72);
    return surface;
}

}  // namespace quenta::bench

int main(int argc, char** argv) {
    using namespace quenta::bench;
#ifdef QUENTA_SCRIPT_CASES
    if (argc > 1 && std::string_view(argv[1]) == "--measure-run") return MeasureRunMain(argc - 2, argv + 2);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    try {
        const std::string fontFile = FontFileOf(kFontFamily);
        Workbench bench{{}, fontFile, EmPixelsForCell(fontFile, kTextSize), PictureArchive(),
                        ReadFile(QUENTA_CHAPTER_FILE)};
        Require(bench.modules.Load(QUENTA_BENCH_MODULE_DIR));
        Require(bench.modules.SetArchivePath(0, bench.pictures.Path()));
        RegisterParseCases(bench);
        RegisterDrawCases(bench);
        RegisterPictureCases(bench);
        RegisterChapterCases(bench);
#ifdef QUENTA_SCRIPT_CASES
        ScriptCorpus corpus(bench.chapter);
        RegisterScriptCases(bench, corpus);
#endif
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quenta_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
