// Swatches for the colour tags, and a picker that writes the tag back.
#include <cstdio>

#include "Features.h"
#include "WrittenTag.h"

namespace quenta::lsp {

using nlohmann::json;

namespace {

bool IsColourTag(const std::string& name) { return name == "C" || name == "EC" || name == "KC"; }

// The numbers of a colour tag as written, "<C255,0,0>" -> 255, 0, 0.
std::vector<int> Numbers(std::string_view tag) {
    std::vector<int> numbers;
    int value = -1;
    for (const char c : tag) {
        if (c >= '0' && c <= '9') {
            value = (value < 0 ? 0 : value * 10) + (c - '0');
            if (value > 100000) value = 100000;
        } else if (value >= 0) {
            numbers.push_back(value);
            value = -1;
        }
    }
    return numbers;
}

double Unit(int value) { return std::min(value, 255) / 255.0; }

}  // namespace

json DocumentColors(const FeatureContext& context) {
    json colours = json::array();
    Document& document = context.document;
    if (!document.error.empty()) return colours;
    const auto size = static_cast<uint32_t>(document.Text().size());
    document.checked.Visit(document.file, document.settings.check, 0, size, [&](const script::PassedMessage& m, script::MessagePass&) {
        const std::string& text = m.message.text;
        for (const script::TagNote& tag : m.laid.tags) {
            if (tag.event != script::TagEvent::kApplied || !IsColourTag(tag.name)) continue;
            const uint32_t begin = m.message.origin[static_cast<size_t>(tag.begin)];
            const uint32_t end = m.message.origin[static_cast<size_t>(tag.end - 1)] + 1;
            const std::vector<int> n = Numbers(std::string_view(text).substr(static_cast<size_t>(tag.begin),
                                                                             static_cast<size_t>(tag.end - tag.begin)));
            if (n.size() < 3) continue;
            colours.push_back({{"range", Range(context, begin, end)},
                               {"color", {{"red", Unit(n[0])}, {"green", Unit(n[1])}, {"blue", Unit(n[2])}, {"alpha", 1.0}}}});
        }
    });
    return colours;
}

json ColorPresentations(const FeatureContext& context, const json& params) {
    const auto [begin, end] = OffsetsOf(context, params.value("range", json()));
    const std::string written = context.document.Text().substr(begin, end - begin);
    std::string name = "C";
    for (const char* candidate : {"<EC", "<KC", "<C"}) {
        if (written.rfind(candidate, 0) == 0) {
            name = candidate + 1;
            break;
        }
    }
    const json colour = params.value("color", json::object());
    const auto channel = [&](const char* key) {
        const double v = colour.contains(key) && colour[key].is_number() ? colour[key].get<double>() : 0.0;
        return std::to_string(static_cast<int>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5));
    };
    std::string tag = "<" + name + channel("red") + "," + channel("green") + "," + channel("blue");
    // A gradient keeps its bottom colour.
    const std::vector<int> n = Numbers(written);
    if (name == "C" && n.size() >= 6) tag += "," + std::to_string(n[3]) + "," + std::to_string(n[4]) + "," + std::to_string(n[5]);
    tag += ">";
    return json::array({{{"label", tag}, {"textEdit", {{"range", Range(context, begin, end)}, {"newText", tag}}}}});
}

}  // namespace quenta::lsp
