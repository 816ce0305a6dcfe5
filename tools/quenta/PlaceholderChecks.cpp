#include "PlaceholderChecks.h"

#include <algorithm>
#include <map>

namespace quenta::script {

namespace {

// What each argument is taken as, by the first placeholder that takes it.
std::map<int32_t, const Placeholder*> ByArgument(const std::vector<Placeholder>& placeholders) {
    std::map<int32_t, const Placeholder*> out;
    for (const Placeholder& p : placeholders) {
        if (p.argument > 0) out.emplace(p.argument, &p);
    }
    return out;
}

std::string Written(std::string_view text, const Placeholder& p, const ShowText& show) {
    return "'" + show(text.substr(static_cast<size_t>(p.begin), static_cast<size_t>(p.end - p.begin))) + "'";
}

}  // namespace

std::vector<std::pair<int32_t, int32_t>> PlaceholderRanges(std::string_view text) {
    std::vector<Placeholder> placeholders;
    FindPlaceholders(text, placeholders);
    std::vector<std::pair<int32_t, int32_t>> ranges;
    for (const Placeholder& p : placeholders) {
        if (ranges.empty() || ranges.back().first != p.begin) ranges.emplace_back(p.begin, p.end);
    }
    return ranges;
}

void DropInside(const std::vector<std::pair<int32_t, int32_t>>& ranges, std::vector<MessageFinding>& found) {
    if (ranges.empty()) return;
    std::erase_if(found, [&](const MessageFinding& f) {
        auto r = std::upper_bound(ranges.begin(), ranges.end(), std::make_pair(f.offset, INT32_MAX));
        return r != ranges.begin() && f.offset < std::prev(r)->second;
    });
}

void ComparePlaceholders(const PlaceholderSource& source, std::string_view translation, const ShowText& show,
                         std::vector<MessageFinding>& out) {
    const bool plural = !source.plural.empty();
    const std::string_view format = plural ? source.plural : source.text;
    std::vector<Placeholder> wanted, given, singular;
    FindPlaceholders(format, wanted);
    FindPlaceholders(translation, given);
    if (plural) FindPlaceholders(source.singular, singular);
    const auto want = ByArgument(wanted);
    const auto take = ByArgument(given);
    const auto spelledOut = ByArgument(singular);
    // The source's place of an argument: where the source text takes it
    // (a plural's format may be another string than the source shown).
    const auto there = [&](const Placeholder& p) {
        return plural && format.data() != source.text.data() ? 0 : p.begin;
    };
    for (const auto& [argument, p] : want) {
        const auto t = take.find(argument);
        if (t == take.end()) {
            if (plural && !spelledOut.count(argument)) continue;
            out.push_back({Check::kPlaceholderMismatch, 0,
                           "placeholder " + Written(format, *p, show) + " of the source (argument " +
                               std::to_string(argument) + ") is missing: the program still passes it",
                           there(*p), "the source's " + Written(format, *p, show)});
        } else if (t->second->type != p->type) {
            out.push_back({Check::kPlaceholderMismatch, t->second->begin,
                           "placeholder " + Written(translation, *t->second, show) + " takes argument " +
                               std::to_string(argument) + " where the source has " + Written(format, *p, show),
                           there(*p), "the source's " + Written(format, *p, show)});
        }
    }
    // Every placeholder of the translation that takes another type than
    // the first of its argument, or an argument the source has not.
    for (const Placeholder& p : given) {
        if (p.argument == 0) continue;
        const auto w = want.find(p.argument);
        if (w == want.end()) {
            out.push_back({Check::kPlaceholderMismatch, p.begin,
                           "placeholder " + Written(translation, p, show) + " is not in the source: the program passes no argument " +
                               std::to_string(p.argument) + " for it",
                           0, ""});
        } else if (&p != take.at(p.argument) && p.type != w->second->type) {
            out.push_back({Check::kPlaceholderMismatch, p.begin,
                           "placeholder " + Written(translation, p, show) + " takes argument " + std::to_string(p.argument) +
                               " where the source has " + Written(format, *w->second, show),
                           there(*w->second), "the source's " + Written(format, *w->second, show)});
        }
    }
}

}  // namespace quenta::script
