// What every case shares, made once by main before any case runs: the
// loaded modules, the font file both sides draw with, the picture archive
// and the long text.
#pragma once

#include <string>

#include "PictureArchive.h"
#include "quenta/BitmapSurface.h"
#include "quenta/MessageRenderer.h"
#include "quenta/ModuleSet.h"
#include "quenta/Ref.h"

namespace quenta::bench {

using RendererPtr = Ref<IMessageRenderer>;

struct Workbench {
    host::ModuleSet modules;  // the five, loaded as a host loads them
    std::string fontFile;  // IPAGothic's file, as fontconfig finds it for Pango too
    double pangoEm;        // Pango's em for glyphs as large as Quenta's at size 24
    PictureArchive pictures;
    std::string chapter;   // the long text, code page 932, in Quenta's markup
};

// A new renderer bound to its siblings, whose Gothic face is drawn from
// bench.fontFile. Throws std::runtime_error when it cannot be had.
RendererPtr NewRenderer(const Workbench& bench);

// A 640 x 160 32-bit surface in a dark blue, the message window both sides
// draw on.
BitmapPtr NewWindowSurface();

void RegisterParseCases(Workbench& bench);
void RegisterDrawCases(Workbench& bench);
void RegisterPictureCases(Workbench& bench);
void RegisterChapterCases(Workbench& bench);
// Built with the quenta program: a whole script to pictures.
class ScriptCorpus;
void RegisterScriptCases(Workbench& bench, ScriptCorpus& corpus);

}  // namespace quenta::bench
