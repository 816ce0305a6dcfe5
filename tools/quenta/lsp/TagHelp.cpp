#include "TagHelp.h"

#include <array>

namespace quenta::lsp {

namespace {

constexpr std::array<TagHelp, 15> kTags{{
    {"B", "<B>", "B>", "Bold on: each character is drawn twice, one pixel apart. </B> turns it off.", true},
    {"C", "<Cr,g,b> or <Cr,g,b,r,g,b>", "C${1:255},${2:255},${3:255}>",
     "The text colour (0 to 255 each); with six numbers a vertical gradient from the first colour at the top to the "
     "second at the bottom. </C> brings back the colour before.",
     true},
    {"CE", "<CEn>", "CE${1:320}>", "Centres each following line within n pixels. </CE> brings back the centring before.", true},
    {"CR", "<CR>", "CR>", "Back to the default style: every value and every saved value forgotten. No closing form.", false},
    {"E", "<E>", "E>", "Edge on: an outline in the edge colour. </E> turns it off.", true},
    {"EC", "<ECr,g,b>", "EC${1:0},${2:0},${3:0}>", "The edge (outline) colour. </EC> brings back the one before.", true},
    {"F", "<Fn>", "F${1:1}>", "The face: 0 Gothic, 1 Mincho. </F> brings back the face before.", true},
    {"G", "<Gn>", "G${1:1}>", "Draws picture n of the archive inline, at its own size. No closing form.", false},
    {"K", "<K>", "K>", "Shadow on: a drop shadow in the shadow colour. </K> turns it off.", true},
    {"KC", "<KCr,g,b>", "KC${1:128},${2:128},${3:128}>", "The shadow colour. </KC> brings back the one before.", true},
    {"R", "<R>", "R>", "A line break. No closing form.", false},
    {"S", "<Sn>", "S${1:32}>",
     "The character size in pixels (below 256; a larger one is ignored): a one-byte character is n/2 wide, a "
     "two-byte one n. </S> brings back the size before.",
     true},
    {"SPW", "<SPWn>", "SPW${1:2}>", "n pixels of space after each character. </SPW> brings back the spacing before.", true},
    {"SPH", "<SPHn>", "SPH${1:8}>", "n pixels of space below each line. </SPH> brings back the spacing before.", true},
    {"W", "<Wn>", "W${1:5}>", "A value carried with each character for the host; drawing does not read it. </W> brings back the one before.", true},
}};

std::string Rgb(const core::RgbColor& c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

}  // namespace

std::span<const TagHelp> AllTags() { return kTags; }

const TagHelp* HelpFor(std::string_view name) {
    if (!name.empty() && name[0] == '/') name.remove_prefix(1);
    for (const TagHelp& tag : kTags) {
        if (tag.name == name) return &tag;
    }
    return nullptr;
}

std::string DescribeStyle(const core::StyleState& s) {
    std::string out = "size " + std::to_string(s.size);
    if (s.color == s.gradientColor) out += ", colour " + Rgb(s.color);
    else out += ", gradient " + Rgb(s.color) + " to " + Rgb(s.gradientColor);
    out += s.edge ? ", edge " + Rgb(s.edgeColor) : ", no edge";
    out += s.shadow ? ", shadow " + Rgb(s.shadowColor) : ", no shadow";
    if (s.bold) out += ", bold";
    out += s.font == 0 ? ", Gothic face" : s.font == 1 ? ", Mincho face" : ", face " + std::to_string(s.font) + " (none)";
    if (s.charSpacing) out += ", character spacing " + std::to_string(s.charSpacing);
    if (s.lineSpacing) out += ", line spacing " + std::to_string(s.lineSpacing);
    if (s.centerWidth >= 0) out += ", centred in " + std::to_string(s.centerWidth);
    return out;
}

}  // namespace quenta::lsp
