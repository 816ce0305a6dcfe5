#include "ScriptAnswer.h"

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>

namespace quenta::preview {

namespace {

using nlohmann::json;

// Text from the writer's file may hold bytes that are no UTF-8: shown as
// U+FFFD rather than failing the answer.
std::string Dump(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

json MessageJson(const ScriptEntry& m) {
    int32_t errors = 0, warnings = 0;
    for (const PlacedFinding& f : m.findings) {
        if (f.finding.level == script::Level::kError) ++errors;
        else if (f.finding.level == script::Level::kWarning) ++warnings;
    }
    json message = {{"number", m.number}, {"line", m.line}, {"text", m.shown}, {"errors", errors}, {"warnings", warnings}};
    if (!m.original.empty()) {
        message["original"] = {{"text", m.original}, {"context", m.originalContext}, {"comments", m.originalComments}};
    }
    return message;
}

// Messages written per refill: enough that a refill is not per message,
// few enough that the buffer stays small.
constexpr size_t kMessagesPerRefill = 16;

}  // namespace

ScriptAnswer::ScriptAnswer(std::shared_ptr<const ScriptSnapshot> snapshot) : snapshot_(std::move(snapshot)) {}

void ScriptAnswer::Refill() {
    pending_.clear();
    taken_ = 0;
    if (!headWritten_) {
        headWritten_ = true;
        const json head = {{"script", true}, {"version", snapshot_->version}, {"path", snapshot_->path},
                           {"error", snapshot_->error}};
        pending_ = Dump(head);
        pending_.pop_back();  // the closing brace: the messages follow
        pending_ += ",\"messages\":[";
        return;
    }
    const std::vector<ScriptEntry>& messages = snapshot_->messages;
    for (size_t n = 0; n < kMessagesPerRefill && next_ < messages.size(); ++n, ++next_) {
        if (next_ > 0) pending_ += ',';
        pending_ += Dump(MessageJson(messages[next_]));
    }
    if (next_ == messages.size() && pending_.empty()) {
        pending_ = "]}";
        ended_ = true;
    }
}

size_t ScriptAnswer::Read(char* into, size_t room) {
    size_t written = 0;
    while (written < room) {
        if (taken_ == pending_.size()) {
            if (ended_) break;
            Refill();
            continue;
        }
        const size_t n = std::min(room - written, pending_.size() - taken_);
        std::memcpy(into + written, pending_.data() + taken_, n);
        taken_ += n;
        written += n;
    }
    return written;
}

}  // namespace quenta::preview
