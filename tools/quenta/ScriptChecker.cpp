#include "ScriptChecker.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>

#include "AcceptFlags.h"
#include "MessageChecks.h"

namespace quenta::script {

namespace {

std::string Hex(char32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

std::string Utf8(char32_t cp) {
    char bytes[U8_MAX_LENGTH];
    int32_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, cp);
    return std::string(bytes, static_cast<size_t>(length));
}

std::string Unencodable(const UnencodableCharacter& u) {
    if (u.codePoint == 0) {
        return "a NUL character (U+0000): the module stops reading the message there, and draws nothing after it";
    }
    if (u.codePoint >= kNotUtf8) {
        char byte[16];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(u.codePoint - kNotUtf8));
        return std::string("byte ") + byte + " is not UTF-8; give --cp932 for a Shift-JIS script";
    }
    std::string text = "'" + Utf8(u.codePoint) + "' (" + Hex(u.codePoint) + ") has no code page 932 form";
    if (!u.suggestion.empty()) text += "; the nearest it holds is '" + u.suggestion + "'";
    return text;
}

}  // namespace

MessagePass PassFor(const ScriptFile& file, const CheckSettings& settings) {
    if (settings.pictures) return MessagePass(file, settings.Style(), *settings.pictures);
    return MessagePass(file, settings.Style());
}

MessageChecker::MessageChecker(const CheckSettings& settings, MessagePass& pass) : settings_(settings), pass_(pass) {}

bool MessageChecker::Enabled(script::Check check) const {
    if (!settings_.only.empty() && !settings_.only.count(check)) return false;
    return !settings_.silenced.count(check);
}

void MessageChecker::Add(script::Check check, int32_t number, uint32_t offset, std::string text,
                         std::optional<FindingFix> fix) {
    if (!Enabled(check)) return;
    Finding f;
    f.check = check;
    const auto level = settings_.levels.find(check);
    f.level = level != settings_.levels.end() ? level->second : InfoOf(check).level;
    if (settings_.warningsAsErrors && f.level == Level::kWarning) f.level = Level::kError;
    f.message = number;
    f.offset = offset;
    f.place = pass_.PlaceOf(offset);
    f.text = "message " + std::to_string(number) + ": " + std::move(text);
    f.fix = std::move(fix);
    findings_.push_back(std::move(f));
}

std::optional<FindingFix> MessageChecker::PlaceFix(const ScriptMessage& message, const MessageFinding& found) const {
    const std::string& file = pass_.File().bytes;
    const std::string& text = message.text;
    if (found.fixBegin < 0 || found.fixEnd < found.fixBegin || static_cast<size_t>(found.fixEnd) > text.size() || text.empty()) {
        return std::nullopt;
    }
    const auto begin = static_cast<size_t>(found.fixBegin);
    const auto end = static_cast<size_t>(found.fixEnd);
    if (begin == text.size()) {
        // After the message's last character, inside whatever quotes it.
        const uint32_t last = message.origin[text.size() - 1];
        if (last >= file.size()) return std::nullopt;
        const auto lead = static_cast<unsigned char>(file[last]);
        uint32_t length = 1;
        if (lead < 0x80) {
            if (file[last] != text.back() || lead == '"' || lead == '\\') return std::nullopt;
        } else if (pass_.File().encoding == ScriptEncoding::kUtf8) {
            length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        } else {
            length = lead >= 0xA1 && lead <= 0xDF ? 1 : 2;
        }
        return FindingFix{last + length, last + length, found.fix};
    }
    // The bytes replaced are ASCII markup: the file must hold them as they are.
    const uint32_t from = message.origin[begin];
    const uint32_t to = end > begin ? message.origin[end - 1] + 1 : from;
    if (to < from || to > file.size() || file.compare(from, to - from, text, begin, end - begin) != 0) return std::nullopt;
    return FindingFix{from, to, found.fix};
}

const std::vector<Finding>& MessageChecker::Check(const PassedMessage& m) {
    findings_.clear();
    for (const UnencodableCharacter& u : m.Unencodable()) {
        std::optional<FindingFix> fix;
        const std::string& file = pass_.File().bytes;
        if (!u.suggestion.empty() && u.codePoint != 0 && u.codePoint < kNotUtf8 && u.origin < file.size()) {
            const uint32_t length = static_cast<uint32_t>(Utf8(u.codePoint).size());
            if (u.origin + length <= file.size() && file.compare(u.origin, length, Utf8(u.codePoint)) == 0) {
                fix = FindingFix{u.origin, u.origin + length, u.suggestion};
            }
        }
        Add(Check::kUnencodable, m.number, u.origin, Unencodable(u), std::move(fix));
    }
    const ScriptMessage& message = m.message;
    const ShowText show = [&](std::string_view cp932) { return pass_.Show(cp932); };
    found_.clear();
    CheckTags(message.text, m.laid, show, found_, &pass_.Pictures());
    CheckLeftOpen(m.laid, m.openBefore, m.openAfter, message.text, show, found_);
    CheckFit(m.laid, settings_.window, found_);
    std::stable_sort(found_.begin(), found_.end(),
                     [](const MessageFinding& a, const MessageFinding& b) { return a.offset < b.offset; });
    for (MessageFinding& f : found_) {
        const size_t at = std::min(static_cast<size_t>(std::max(f.offset, 0)), message.origin.size() - 1);
        std::optional<FindingFix> fix = PlaceFix(message, f);
        Add(f.check, m.number, message.origin[at], std::move(f.text), std::move(fix));
    }
    if (!m.source.accepted.empty()) Accept(m);
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
    if (!findings_.empty()) {
        const std::string key = MessageKey(m.source.key, m.written);
        for (Finding& f : findings_) f.key = key;
    }
    return findings_;
}

// The fit checks measure only against a window or a line limit.
bool MessageChecker::Measured(script::Check check) const {
    switch (check) {
        case Check::kLineTooWide: return settings_.window.width.has_value();
        case Check::kMessageTooTall: return settings_.window.height.has_value();
        case Check::kTooManyLines: return settings_.window.maxLines.has_value();
        default: return true;
    }
}

void MessageChecker::Accept(const PassedMessage& m) {
    const std::vector<AcceptFlag>& flags = m.source.accepted;
    std::vector<bool> used(flags.size(), false);
    for (Finding& f : findings_) {
        for (size_t i = 0; i < flags.size(); ++i) {
            if (flags[i].check == CheckName(f.check)) {
                used[i] = true;
                f.accepted = true;
            }
        }
    }
    if (!settings_.keepAccepted) {
        std::erase_if(findings_, [](const Finding& f) { return f.accepted; });
    }
    // A flag whose finding is gone is left behind by a fix; say so, that
    // flags do not pile up. A check that did not run cannot tell.
    for (size_t i = 0; i < flags.size(); ++i) {
        if (used[i]) continue;
        const std::optional<script::Check> check = CheckNamed(flags[i].check);
        const std::string flag = "'" + std::string(kAcceptPrefix) + flags[i].check + "'";
        if (!check) {
            Add(Check::kUnusedAcceptance, m.number, flags[i].at, flag + " names no check; `quenta check --list-checks` lists them");
        } else if (Enabled(*check) && Measured(*check)) {
            Add(Check::kUnusedAcceptance, m.number, flags[i].at,
                flag + " accepts a finding the message no longer has; remove the flag");
        }
    }
}

FileFindings CheckScript(const ScriptFile& file, const CheckSettings& settings) {
    FileFindings result;
    result.path = file.path;
    MessagePass pass = PassFor(file, settings);
    MessageChecker checker(settings, pass);
    pass.Run([&](const PassedMessage& message) {
        const std::vector<Finding>& found = checker.Check(message);
        result.findings.insert(result.findings.end(), found.begin(), found.end());
        if (settings.afterMessage) settings.afterMessage(message.number);
    });
    return result;
}

bool HasErrors(const std::vector<FileFindings>& files) {
    for (const FileFindings& file : files) {
        for (const Finding& f : file.findings) {
            if (f.level == Level::kError && !f.accepted) return true;
        }
    }
    return false;
}

}  // namespace quenta::script
