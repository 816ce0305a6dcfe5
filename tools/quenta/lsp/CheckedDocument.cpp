#include "CheckedDocument.h"

#include <algorithm>

namespace quenta::lsp {

namespace {

using script::KnownEnd;
using script::MessageLayout;
using script::PassedMessage;
using script::SourceText;

// The first words a message shows, tags left out, for an outline.
std::string Label(const PassedMessage& m, script::MessagePass& pass) {
    constexpr size_t kBytes = 48;
    std::string cp932;
    int32_t line = 0;
    for (const script::PlacedRun& run : m.laid.runs) {
        if (!run.plain) continue;
        if (cp932.size() >= kBytes) break;
        if (run.line != line && !cp932.empty()) cp932 += ' ';
        line = run.line;
        cp932.append(m.message.text, static_cast<size_t>(run.begin), static_cast<size_t>(run.end - run.begin));
    }
    std::string label = pass.Show(cp932);
    if (cp932.size() >= kBytes) label += "…";
    return label;
}

std::string Beside(const SourceText& source, uint32_t start) {
    std::string beside = source.key;
    for (const script::AcceptFlag& flag : source.accepted) {
        beside += '\x1f' + flag.check + ':' + std::to_string(static_cast<int64_t>(flag.at) - start);
    }
    return beside;
}

// "message 12: ..." names the message by number, which an edit above it
// may have changed.
void Renumber(MessageRecord& record, int32_t number, int64_t shift) {
    const bool renumber = record.number != number;
    record.number = number;
    record.start = static_cast<uint32_t>(record.start + shift);
    record.end = static_cast<uint32_t>(record.end + shift);
    for (script::Finding& f : record.findings) {
        f.message = number;
        f.offset = static_cast<uint32_t>(f.offset + shift);
        if (f.fix) {
            f.fix->begin = static_cast<uint32_t>(f.fix->begin + shift);
            f.fix->end = static_cast<uint32_t>(f.fix->end + shift);
        }
        if (renumber) {
            const size_t colon = f.text.find(": ");
            if (colon != std::string::npos) f.text = "message " + std::to_string(number) + f.text.substr(colon);
        }
    }
}

}  // namespace

bool SameOpen(const MessageLayout::OpenState& a, const MessageLayout::OpenState& b) {
    return a.bold == b.bold && a.edge == b.edge && a.shadow == b.shadow && a.size == b.size && a.color == b.color &&
           a.edgeColor == b.edgeColor && a.shadowColor == b.shadowColor && a.font == b.font &&
           a.charSpacing == b.charSpacing && a.lineSpacing == b.lineSpacing && a.centerWidth == b.centerWidth &&
           a.wValue == b.wValue;
}

void CheckedDocument::Forget() {
    messages_.clear();
    size_ = 0;
}

void CheckedDocument::Check(const script::ScriptFile& file, const script::CheckSettings& settings) {
    std::vector<MessageRecord> old = std::move(messages_);
    messages_.clear();
    messages_.reserve(old.size() + 16);
    std::vector<bool> taken(old.size(), false);
    // An edit moves what follows it by the change in size.
    const int64_t delta = static_cast<int64_t>(file.bytes.size()) - static_cast<int64_t>(size_);
    const auto find = [&](int64_t start) -> int64_t {
        const auto at = std::lower_bound(old.begin(), old.end(), start,
                                         [](const MessageRecord& r, int64_t s) { return r.start < s; });
        return at != old.end() && at->start == start ? at - old.begin() : -1;
    };
    laid_ = 0;
    script::MessagePass pass = script::PassFor(file, settings);
    script::MessageChecker checker(settings, pass);
    const script::MessageRecall recall = [&](const SourceText& source, uint32_t start, std::string_view written,
                                             const std::string& before, const MessageLayout::OpenState& openBefore) {
        const std::string beside = Beside(source, start);
        for (const int64_t candidate : {static_cast<int64_t>(start), static_cast<int64_t>(start) - delta}) {
            const int64_t i = find(candidate);
            if (i < 0 || taken[static_cast<size_t>(i)]) continue;
            MessageRecord& r = old[static_cast<size_t>(i)];
            if (r.written != written || r.beside != beside || r.styleBefore != before || !SameOpen(r.openBefore, openBefore)) {
                continue;
            }
            taken[static_cast<size_t>(i)] = true;
            MessageRecord& kept = messages_.emplace_back(std::move(r));
            Renumber(kept, static_cast<int32_t>(messages_.size()), static_cast<int64_t>(start) - candidate);
            return KnownEnd{&kept.styleAfter, &kept.openAfter};
        }
        return KnownEnd{};
    };
    try {
        pass.Run(
            [&](const PassedMessage& m) {
                ++laid_;
                MessageRecord& r = messages_.emplace_back();
                r.number = m.number;
                r.start = m.start;
                r.end = m.source.end;
                r.written = m.written;
                r.beside = Beside(m.source, m.start);
                r.styleBefore = m.styleBefore;
                r.styleAfter = m.styleAfter;
                r.openBefore = m.openBefore;
                r.openAfter = m.openAfter;
                r.findings = checker.Check(m);
                r.label = Label(m, pass);
            },
            recall);
    } catch (...) {
        Forget();
        throw;
    }
    size_ = file.bytes.size();
}

int32_t CheckedDocument::MessageAt(uint32_t offset) const {
    const auto after = std::upper_bound(messages_.begin(), messages_.end(), offset,
                                        [](uint32_t o, const MessageRecord& r) { return o < r.start; });
    if (after == messages_.begin()) return -1;
    const auto& record = *(after - 1);
    return offset <= record.end ? static_cast<int32_t>(after - 1 - messages_.begin()) : -1;
}

void CheckedDocument::Visit(const script::ScriptFile& file, const script::CheckSettings& settings, uint32_t from,
                            uint32_t to, const LaidVisitor& visit) const {
    script::MessagePass pass = script::PassFor(file, settings);
    int32_t index = 0;
    const script::MessageRecall recall = [&](const SourceText&, uint32_t start, std::string_view written,
                                             const std::string&, const MessageLayout::OpenState&) {
        const auto i = static_cast<size_t>(index++);
        if (i >= messages_.size()) return KnownEnd{};
        const MessageRecord& r = messages_[i];
        const bool inside = r.end >= from && r.start <= to;
        if (inside || r.start != start || r.written != written) return KnownEnd{};
        return KnownEnd{&r.styleAfter, &r.openAfter};
    };
    pass.Run([&](const PassedMessage& m) { visit(m, pass); }, recall);
}

}  // namespace quenta::lsp
