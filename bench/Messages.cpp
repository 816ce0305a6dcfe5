#include "Messages.h"

#include <array>
#include <cmath>

#include "Encoding.h"

namespace quenta::bench {

namespace {

// Pango markup sizes are in 1024ths of a point; the bench's 72 dpi makes a point a pixel.
constexpr double kPangoUnitsPerPoint = 1024;

// 19 + 19 + 18 characters; the second line's word 汽笛 is the emphasised one.
constexpr std::array<const char*, 3> kBefore{"夜明け前の港に、古い", "旅人は外套の襟を立て、", "やがて霧の向こうに"};
constexpr std::array<const char*, 3> kWord{"汽笛", "静かに", "灯り"};
constexpr std::array<const char*, 3> kAfter{"が低く響いた。", "船を待つ。", "が見えてきた。"};
constexpr int kEmphasisedLine = 0;

std::string QuentaColourTag(Colouring colouring) {
    return colouring == Colouring::kWhite ? "<C255,255,255>" : "<C255,255,255,96,160,255>";
}

}  // namespace

std::string QuentaMessage(Colouring colouring, const std::string& prefix) {
    const std::string colour = QuentaColourTag(colouring);
    std::string text = prefix + "<F0><S24>" + colour;
    for (size_t i = 0; i < kBefore.size(); ++i) {
        if (i > 0) text += "<R>";
        text += kBefore[i];
        if (static_cast<int>(i) == kEmphasisedLine) {
            text += colour + kWord[i] + "</C>";
        } else {
            text += kWord[i];
        }
        text += kAfter[i];
    }
    text += "</C></S></F>";
    return Utf8ToCp932(text);
}

std::string PangoMessage(bool colourSpans, double emPixels) {
    const std::string open = colourSpans ? "<span foreground=\"#FFFFFF\">" : "";
    const std::string close = colourSpans ? "</span>" : "";
    std::string text = "<span font_family=\"" + std::string(kFontFamily) + "\" size=\"" +
                       std::to_string(std::lround(emPixels * kPangoUnitsPerPoint)) + "\">" + open;
    for (size_t i = 0; i < kBefore.size(); ++i) {
        if (i > 0) text += "\n";
        text += kBefore[i];
        if (static_cast<int>(i) == kEmphasisedLine) {
            text += open + kWord[i] + close;
        } else {
            text += kWord[i];
        }
        text += kAfter[i];
    }
    text += close + "</span>";
    return text;
}

std::string QuentaPictureMessage() {
    std::string text = "<F0><S24>";
    for (size_t i = 0; i < kBefore.size(); ++i) {
        if (i > 0) text += "<R>";
        text += std::string(kBefore[i]) + kWord[i] + kAfter[i] + "<G" + std::to_string(i + 1) + ">";
    }
    text += "</S></F>";
    return Utf8ToCp932(text);
}

std::string PangoPictureText(int (&pictureOffsets)[3]) {
    std::string text;
    for (size_t i = 0; i < kBefore.size(); ++i) {
        if (i > 0) text += "\n";
        text += std::string(kBefore[i]) + kWord[i] + kAfter[i];
        pictureOffsets[i] = static_cast<int>(text.size());
        text += "\xEF\xBF\xBC";  // U+FFFC, the object replacement character
    }
    return text;
}

}  // namespace quenta::bench
