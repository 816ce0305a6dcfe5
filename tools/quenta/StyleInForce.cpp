#include "StyleInForce.h"

#include <vector>

namespace quenta::script {

namespace {

void Number(std::string& out, const char* name, const std::vector<int32_t>& saved, int32_t current) {
    if (saved.empty()) return;
    const auto open = [&](int32_t value) { out += "<" + std::string(name) + std::to_string(value) + ">"; };
    for (size_t i = 1; i < saved.size(); ++i) open(saved[i]);
    open(current);
}

std::string Rgb(const core::RgbColor& c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

// The colour tag saves both colours, the edge and shadow tags the first.
void Colors(std::string& out, const char* name, const std::vector<core::ColorPair>& saved, core::RgbColor first,
            const core::RgbColor* second) {
    if (saved.empty()) return;
    const auto open = [&](const core::RgbColor& top, const core::RgbColor* bottom) {
        out += "<" + std::string(name) + Rgb(top);
        if (bottom) out += "," + Rgb(*bottom);
        out += ">";
    };
    for (size_t i = 1; i < saved.size(); ++i) open(saved[i].first, second ? &saved[i].second : nullptr);
    open(first, second);
}

}  // namespace

std::string StyleInForce(const core::MarkupParser& parser) {
    const core::StyleState& s = parser.Style();
    const core::StyleStacks& k = parser.Stacks();
    std::string out;
    if (s.bold) out += "<B>";
    if (s.edge) out += "<E>";
    if (s.shadow) out += "<K>";
    Number(out, "S", k.size, s.size);
    Colors(out, "C", k.color, s.color, &s.gradientColor);
    Colors(out, "EC", k.edgeColor, s.edgeColor, nullptr);
    Colors(out, "KC", k.shadowColor, s.shadowColor, nullptr);
    Number(out, "F", k.font, s.font);
    Number(out, "SPW", k.charSpacing, s.charSpacing);
    Number(out, "SPH", k.lineSpacing, s.lineSpacing);
    Number(out, "CE", k.centerWidth, s.centerWidth);
    Number(out, "W", k.wValue, s.wValue);
    return out;
}

}  // namespace quenta::script
