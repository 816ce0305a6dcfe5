// The message every case draws: three lines, 56 characters, in Quenta's
// markup (code page 932) and in Pango's (UTF-8), with equivalent spans.
#pragma once

#include <string>

namespace quenta::bench {

inline constexpr int kMessageCharacters = 56;
inline constexpr int kSurfaceWidth = 640;
inline constexpr int kSurfaceHeight = 160;
inline constexpr int kTextSize = 24;
inline constexpr int kOriginX = 8;
inline constexpr int kOriginY = 8;
inline constexpr char kFontFamily[] = "IPAGothic";

// What sets the colour of a Quenta message: white, or a vertical gradient
// from white down to light blue.
enum class Colouring { kWhite, kGradient };

// The message in Quenta's markup, code page 932: the Gothic face and size 24
// set by tags, a colour tag around the whole text and another around one
// word, lines broken by <R>. `prefix` goes first (say "<E><K>").
std::string QuentaMessage(Colouring colouring, const std::string& prefix = "");

// The same message in Pango markup: a span setting the family and the em
// (`emPixels`, see FontMetrics.h), and white foreground spans where Quenta
// has its colour tags. Without colour spans, the colour is the cairo
// source's (so that a shadow, an outline or a gradient can take it).
std::string PangoMessage(bool colourSpans, double emPixels);

// The message with a picture at the end of each line: Quenta's <G1>, <G2>
// and <G3>, white; and for Pango the plain text with U+FFFC where each
// picture goes, in byte offsets returned through `pictureOffsets`.
std::string QuentaPictureMessage();
std::string PangoPictureText(int (&pictureOffsets)[3]);

}  // namespace quenta::bench
