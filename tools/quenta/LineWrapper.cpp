#include "LineWrapper.h"

#include <unicode/utext.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string_view>

#include "PrintfPlaceholders.h"
#include "WrittenTag.h"

namespace quenta::script {

namespace {

constexpr UChar kObject = 0xFFFC;  // a picture or a tag drawn as text: breaks around it, never inside

}  // namespace

LineWrapper::LineWrapper() {
    UErrorCode status = U_ZERO_ERROR;
    // "lb=strict" is a keyword, not a variant: given as the third argument
    // it is taken for a variant and ignored, and ICU's Japanese default is
    // the normal rules, which break before small kana and the prolonged
    // sound mark.
    breaks_.reset(icu::BreakIterator::createLineInstance(icu::Locale("ja", "JP", nullptr, "lb=strict"), status));
    if (U_FAILURE(status) || !breaks_) throw std::runtime_error("ICU has no line-breaking rules for Japanese");
    cp932_ = ucnv_open("windows-932", &status);
    if (U_FAILURE(status)) throw std::runtime_error("ICU cannot read code page 932");
}

LineWrapper::~LineWrapper() { ucnv_close(cp932_); }

bool LineWrapper::InsideWhole(int32_t offset) const {
    // The last range that begins before the offset; the ranges are merged,
    // so no earlier one can reach further.
    auto after = std::upper_bound(whole_.begin(), whole_.end(), offset,
                                  [](int32_t at, const std::pair<int32_t, int32_t>& range) { return at <= range.first; });
    return after != whole_.begin() && offset < std::prev(after)->second;
}

void LineWrapper::Units(const std::string& text, const std::vector<uint32_t>& origin, const LaidOutMessage& laid,
                        size_t from, size_t to) {
    units_.clear();
    bool glueNext = false;
    for (size_t r = from; r < to; ++r) {
        const PlacedRun& run = laid.runs[r];
        // The runs of one tag drawn as text ("<error>", an unknown name with
        // its "<") stay together.
        int32_t key = run.begin;
        if (!run.plain) {
            for (const auto& [b, e] : atomic_) {
                if (run.begin >= b && run.begin < e) {
                    key = b;
                    break;
                }
            }
        }
        // The empty run after a "<" that opened no tag goes with the "<".
        const bool empty = run.begin == run.end && !run.picture;
        if (!units_.empty() && (empty || (!run.plain && !laid.runs[units_.back().lastRun].plain && units_.back().begin == key))) {
            units_.back().lastRun = r;
            continue;
        }
        const size_t at = static_cast<size_t>(key);
        const bool placeable = at == 0 || at >= origin.size() || origin[at] != origin[at - 1];
        units_.push_back({r, r, key, run.space, glueNext || !placeable || InsideWhole(key)});
        // A "<" drawn as text is read as "<<" with a "<R>" right after it:
        // nothing may come between it and what follows.
        glueNext = run.plain && run.end - run.begin == 1 && text[static_cast<size_t>(run.begin)] == '<';
    }
}

void LineWrapper::Opportunities(const std::string& text, const LaidOutMessage& laid) {
    // The line as Unicode: each plain character as itself, anything else as
    // one object.
    utf16_.clear();
    std::vector<int32_t>& unitStart = utf16Source_;
    unitStart.resize(units_.size());
    for (size_t u = 0; u < units_.size(); ++u) {
        unitStart[u] = static_cast<int32_t>(utf16_.size());
        const PlacedRun& run = laid.runs[units_[u].firstRun];
        if (!run.plain) {
            utf16_.push_back(kObject);
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[static_cast<size_t>(run.begin)]);
        if (lead < 0x80) {
            utf16_.push_back(static_cast<UChar>(lead));  // ASCII is itself
            continue;
        }
        UErrorCode status = U_ZERO_ERROR;
        UChar chars[4];
        const int32_t n = ucnv_toUChars(cp932_, chars, 4, text.data() + run.begin, run.end - run.begin, &status);
        if (U_FAILURE(status) || n <= 0) utf16_.push_back(kObject);
        else utf16_.insert(utf16_.end(), chars, chars + n);
    }
    UErrorCode status = U_ZERO_ERROR;
    UText* line = utext_openUChars(nullptr, utf16_.data(), static_cast<int64_t>(utf16_.size()), &status);
    breaks_->setText(line, status);
    // One pass over the opportunities, rather than a question per unit.
    boundary_.assign(utf16_.size() + 1, false);
    for (int32_t b = breaks_->first(); b != icu::BreakIterator::DONE; b = breaks_->next()) {
        boundary_[static_cast<size_t>(b)] = true;
    }
    utext_close(line);
    breakBefore_.assign(units_.size(), false);
    for (size_t u = 1; u < units_.size(); ++u) {
        breakBefore_[u] = !units_[u].glued && boundary_[static_cast<size_t>(unitStart[u])];
    }
}

std::vector<LineBreakEdit> LineWrapper::Breaks(const std::string& text, const std::vector<uint32_t>& origin,
                                               const LaidOutMessage& laid, int32_t width, bool cFormat) {
    std::vector<LineBreakEdit> edits;
    atomic_.clear();
    whole_.clear();
    for (const TagNote& tag : laid.tags) {
        if (tag.event == TagEvent::kMalformed || tag.event == TagEvent::kMissingPicture ||
            tag.event == TagEvent::kUnknownName || tag.event == TagEvent::kApplied) {
            atomic_.emplace_back(tag.begin, tag.end);
        }
        // What follows a tag the parser stopped reading is drawn as text,
        // but the writer typed it as part of the tag.
        if (tag.event == TagEvent::kMalformed || tag.event == TagEvent::kMissingPicture ||
            tag.event == TagEvent::kUnknownName) {
            const bool named = tag.event != TagEvent::kUnknownName || !tag.name.empty() ||
                               (static_cast<size_t>(tag.end) < text.size() && text[static_cast<size_t>(tag.end)] != ' ');
            whole_.emplace_back(tag.begin, named ? WrittenTagEnd(text, tag.begin, tag.end) : tag.end);
        }
    }
    if (cFormat) {
        for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at)) {
            const size_t end = PlaceholderEnd(text, at);
            whole_.emplace_back(static_cast<int32_t>(at), static_cast<int32_t>(end));
            at = end;
        }
    }
    std::sort(whole_.begin(), whole_.end());
    size_t kept = 0;
    for (const auto& range : whole_) {
        if (kept > 0 && range.first < whole_[kept - 1].second) whole_[kept - 1].second = std::max(whole_[kept - 1].second, range.second);
        else whole_[kept++] = range;
    }
    whole_.resize(kept);
    size_t r = 0;
    while (r < laid.runs.size()) {
        size_t end = r;
        bool tooWide = false;
        while (end < laid.runs.size() && laid.runs[end].line == laid.runs[r].line) {
            const PlacedRun& run = laid.runs[end];
            if (!run.space && run.width > 0 && run.x + run.width - laid.runs[r].x > width) tooWide = true;
            ++end;
        }
        if (tooWide) {
            Units(text, origin, laid, r, end);
            Opportunities(text, laid);
            size_t start = 0;
            int64_t x0 = laid.runs[units_[0].firstRun].x;
            for (size_t u = 0; u < units_.size(); ++u) {
                const Unit& unit = units_[u];
                if (unit.space) continue;  // a blank at the end of a line may hang past it
                const PlacedRun& last = laid.runs[unit.lastRun];
                if (u == start || last.x + last.width - x0 <= width) continue;
                size_t k = u;
                while (k > start && !breakBefore_[k]) --k;
                if (k == start) {
                    // No opportunity: the word is longer than a line.
                    k = u;
                    while (k > start && units_[k].glued) --k;
                    if (k == start) continue;
                }
                // The blank before the break goes, unless it follows a "<"
                // drawn as text, which would then read "<<".
                const Unit& before = units_[k - 1];
                if (before.space && !before.glued) edits.push_back({before.begin, 1});
                else edits.push_back({units_[k].begin, 0});
                start = k;
                x0 = laid.runs[units_[k].firstRun].x;
                u = k;  // the unit that begins the new line is looked at again
                --u;
            }
        }
        r = end;
    }
    return edits;
}

std::string ApplyBreaks(const std::string& text, const std::vector<LineBreakEdit>& breaks) {
    std::string out;
    out.reserve(text.size() + breaks.size() * 3);
    size_t at = 0;
    for (const LineBreakEdit& edit : breaks) {
        out.append(text, at, static_cast<size_t>(edit.offset) - at);
        out += "<R>";
        at = static_cast<size_t>(edit.offset + edit.length);
    }
    out.append(text, at, std::string::npos);
    return out;
}

}  // namespace quenta::script
