// The two face names Quenta selects on Scrivo2, in Shift-JIS: "ＭＳ ゴシック"
// (face 0, Gothic) and "ＭＳ 明朝" (face 1, Mincho). Hosts use them to point a
// face at a font file through TextPainter::SetFontFile.
#pragma once

namespace quenta {

inline constexpr char kGothicFace[] = "\x82l\x82r \x83S\x83V\x83\x62\x83N";
inline constexpr char kMinchoFace[] = "\x82l\x82r \x96\xBE\x92\xA9";
static_assert(sizeof kGothicFace - 1 == 13 && sizeof kMinchoFace - 1 == 9);

}  // namespace quenta
