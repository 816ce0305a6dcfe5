// Where to break a laid-out message's lines so that each fits a width:
// never inside a tag, a picture, a malformed or unknown tag drawn as
// written, or (in a C format string) a printf placeholder; at the
// line-breaking opportunities of ICU's strict Japanese rules (no line begins
// with a closing bracket, a small kana, the prolonged sound mark or 。、！？;
// none ends with an opening bracket), Latin text at spaces with the space
// dropped, and a word longer than a line broken inside.
#pragma once

#include <unicode/brkiter.h>
#include <unicode/ucnv.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "LaidOutMessage.h"

namespace quenta::script {

// Replace [offset, offset + length) of the message's text with "<R>".
struct LineBreakEdit {
    int32_t offset = 0;
    int32_t length = 0;  // 0: insert; 1: the blank at the break goes
};

class LineWrapper {
public:
    LineWrapper();
    LineWrapper(const LineWrapper&) = delete;
    LineWrapper& operator=(const LineWrapper&) = delete;
    ~LineWrapper();

    // The breaks to add, in text order; none when every line fits. A break
    // goes only where `origin` (the file offset of each byte of the text)
    // can place it: before the first byte that stands for its piece of the
    // file, not inside a tag the reader wrote for a line break.
    // `cFormat`: the text is a printf format (a PO entry flagged c-format),
    // whose placeholders ("%d", "%1$s", "%<PRIuMAX>") must stay whole.
    std::vector<LineBreakEdit> Breaks(const std::string& text, const std::vector<uint32_t>& origin,
                                      const LaidOutMessage& laid, int32_t width, bool cFormat = false);

private:
    struct Unit {
        size_t firstRun = 0;
        size_t lastRun = 0;
        int32_t begin = 0;
        bool space = false;
        bool glued = false;  // no break may come before it
    };
    void Units(const std::string& text, const std::vector<uint32_t>& origin, const LaidOutMessage& laid, size_t from,
               size_t to);
    bool InsideWhole(int32_t offset) const;
    void Opportunities(const std::string& text, const LaidOutMessage& laid);

    std::unique_ptr<icu::BreakIterator> breaks_;
    UConverter* cp932_ = nullptr;
    std::vector<Unit> units_;           // of the line at hand
    std::vector<bool> breakBefore_;     // per unit of the line at hand
    std::vector<bool> boundary_;        // per UTF-16 index of the line at hand
    std::vector<std::pair<int32_t, int32_t>> atomic_;  // tag ranges drawn as text
    std::vector<std::pair<int32_t, int32_t>> whole_;   // text that no break may enter, in order
    std::vector<UChar> utf16_;          // the line at hand
    std::vector<int32_t> utf16Source_;  // where each unit starts in utf16_
};

// The text with the breaks applied.
std::string ApplyBreaks(const std::string& text, const std::vector<LineBreakEdit>& breaks);

}  // namespace quenta::script
