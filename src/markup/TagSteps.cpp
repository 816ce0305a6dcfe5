// The tags, as one table tested in order: what each must be followed by and
// what it does. A malformed tag appends the error text and changes nothing.
#include <iterator>

#include "markup/MarkupParser.h"

namespace quenta::core {

namespace {

enum class Step {
    kSwitchOn,     // B, E, K
    kSwitchOff,    // /B, /E, /K
    kPushNumber,   // CE, F, SPW, SPH, W
    kPopNumber,    // /CE, /F, /SPW, /SPH, /W, /S
    kSize,         // S: values of 256 and more are ignored
    kColor,        // C
    kEdgeColor,    // EC
    kShadowColor,  // KC
    kPopColor,     // /C
    kPopEdgeColor, // /EC
    kPopShadowColor,  // /KC
    kPicture,      // G
    kBreak,        // R
    kReset,        // CR
};

struct Tag {
    const char* name;
    Step step;
    uint8_t StyleState::*flag = nullptr;
    int32_t StyleState::*field = nullptr;
    std::vector<int32_t> StyleStacks::*stack = nullptr;
};

constexpr Tag kTags[] = {
    {"B", Step::kSwitchOn, &StyleState::bold},
    {"C", Step::kColor},
    {"CE", Step::kPushNumber, nullptr, &StyleState::centerWidth, &StyleStacks::centerWidth},
    {"CR", Step::kReset},
    {"E", Step::kSwitchOn, &StyleState::edge},
    {"EC", Step::kEdgeColor},
    {"F", Step::kPushNumber, nullptr, &StyleState::font, &StyleStacks::font},
    {"G", Step::kPicture},
    {"K", Step::kSwitchOn, &StyleState::shadow},
    {"KC", Step::kShadowColor},
    {"R", Step::kBreak},
    {"S", Step::kSize, nullptr, &StyleState::size, &StyleStacks::size},
    {"SPW", Step::kPushNumber, nullptr, &StyleState::charSpacing, &StyleStacks::charSpacing},
    {"SPH", Step::kPushNumber, nullptr, &StyleState::lineSpacing, &StyleStacks::lineSpacing},
    {"W", Step::kPushNumber, nullptr, &StyleState::wValue, &StyleStacks::wValue},
    {"/B", Step::kSwitchOff, &StyleState::bold},
    {"/C", Step::kPopColor},
    {"/CE", Step::kPopNumber, nullptr, &StyleState::centerWidth, &StyleStacks::centerWidth},
    {"/E", Step::kSwitchOff, &StyleState::edge},
    {"/EC", Step::kPopEdgeColor},
    {"/F", Step::kPopNumber, nullptr, &StyleState::font, &StyleStacks::font},
    {"/K", Step::kSwitchOff, &StyleState::shadow},
    {"/KC", Step::kPopShadowColor},
    {"/S", Step::kPopNumber, nullptr, &StyleState::size, &StyleStacks::size},
    {"/SPW", Step::kPopNumber, nullptr, &StyleState::charSpacing, &StyleStacks::charSpacing},
    {"/SPH", Step::kPopNumber, nullptr, &StyleState::lineSpacing, &StyleStacks::lineSpacing},
    {"/W", Step::kPopNumber, nullptr, &StyleState::wValue, &StyleStacks::wValue},
};

}  // namespace

bool MarkupParser::CloseTag() { return scanner_.Expect(">") || AppendErrorText(); }

bool MarkupParser::ReadSingleNumber(int32_t& n) {
    return (scanner_.ReadNumber(n) && scanner_.Expect(">")) || AppendErrorText();
}

bool MarkupParser::ApplyTag() {
    const Tag* tag = std::begin(kTags);
    while (tag != std::end(kTags) && !tagName_.Equals(tag->name)) ++tag;
    if (tag == std::end(kTags)) return false;

    enum class Outcome { kApplied, kMalformed, kEmptyClose, kIgnoredSize };
    Outcome outcome = Outcome::kMalformed;
    int32_t n = 0;
    auto popped = [](bool hadValue) { return hadValue ? Outcome::kApplied : Outcome::kEmptyClose; };
    switch (tag->step) {
        case Step::kSwitchOn:
        case Step::kSwitchOff:
            if (CloseTag()) {
                // Turning off a switch that is off changes nothing, like a
                // pop from an empty stack, and is told as one.
                const bool wasOn = style_.*(tag->flag) != 0;
                style_.*(tag->flag) = tag->step == Step::kSwitchOn ? 1 : 0;
                outcome = tag->step == Step::kSwitchOff && !wasOn ? Outcome::kEmptyClose : Outcome::kApplied;
            }
            break;
        case Step::kPushNumber:
        case Step::kSize:
            if (ReadSingleNumber(n)) {
                if (tag->step == Step::kSize && n >= 256) {
                    outcome = Outcome::kIgnoredSize;
                    break;
                }
                (stacks_.*(tag->stack)).push_back(style_.*(tag->field));
                style_.*(tag->field) = n;
                outcome = Outcome::kApplied;
            }
            break;
        case Step::kPopNumber:
            if (CloseTag()) {
                auto& stack = stacks_.*(tag->stack);
                outcome = popped(!stack.empty());
                if (!stack.empty()) {
                    style_.*(tag->field) = stack.back();
                    stack.pop_back();
                }
            }
            break;
        case Step::kColor:
            if (ParseColorTag()) outcome = Outcome::kApplied;
            break;
        case Step::kEdgeColor:
            if (ParseSingleColorTag(stacks_.edgeColor, style_.edgeColor)) outcome = Outcome::kApplied;
            break;
        case Step::kShadowColor:
            if (ParseSingleColorTag(stacks_.shadowColor, style_.shadowColor)) outcome = Outcome::kApplied;
            break;
        case Step::kPopColor:
            if (CloseTag()) outcome = popped(RestoreColor(stacks_.color, style_.color, &style_.gradientColor));
            break;
        case Step::kPopEdgeColor:
            if (CloseTag()) outcome = popped(RestoreColor(stacks_.edgeColor, style_.edgeColor, nullptr));
            break;
        case Step::kPopShadowColor:
            if (CloseTag()) outcome = popped(RestoreColor(stacks_.shadowColor, style_.shadowColor, nullptr));
            break;
        case Step::kPicture:
            if (ParsePictureTag()) outcome = Outcome::kApplied;
            break;
        case Step::kBreak:
            if (CloseTag()) {
                BreakLine();
                outcome = Outcome::kApplied;
            }
            break;
        case Step::kReset:
            if (CloseTag()) {
                ResetStyle();
                outcome = Outcome::kApplied;
            }
            break;
    }

    if (observer_) {
        const int32_t end = Offset();
        switch (outcome) {
            case Outcome::kApplied: observer_->OnTag(tagName_, tagBegin_, end); break;
            case Outcome::kMalformed: observer_->OnMalformedTag(tagName_, tagBegin_, end); break;
            case Outcome::kEmptyClose: observer_->OnEmptyClose(tagName_, tagBegin_, end); break;
            case Outcome::kIgnoredSize: observer_->OnIgnoredSize(n, tagBegin_, end); break;
        }
    }
    return true;
}

bool MarkupParser::RestoreColor(std::vector<ColorPair>& stack, RgbColor& first, RgbColor* second) {
    if (stack.empty()) return false;
    first = stack.back().first;
    if (second) *second = stack.back().second;
    stack.pop_back();
    return true;
}

}  // namespace quenta::core
