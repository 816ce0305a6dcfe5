#include "ProgressLine.h"

#include <cstdio>

namespace quenta::script {

ProgressLine::ProgressLine(std::ostream& out, bool terminal, int64_t total)
    : out_(out), terminal_(terminal), total_(total) {}

void ProgressLine::Update(int64_t done) {
    if (!terminal_) return;
    const Clock::time_point now = Clock::now();
    if (drawn_ && now - shown_ < std::chrono::milliseconds(100) && done < total_) return;
    shown_ = now;
    drawn_ = true;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    char line[160];
    int used = std::snprintf(line, sizeof line, "\r\033[K%lld/%lld messages", static_cast<long long>(done),
                             static_cast<long long>(total_));
    if (done > 0 && rate > 0) {
        const long long left = static_cast<long long>(static_cast<double>(total_ - done) / rate + 0.5);
        std::snprintf(line + used, sizeof line - static_cast<size_t>(used), "  %.0f/s  %lld:%02lld left", rate,
                      left / 60, left % 60);
    }
    out_ << line << std::flush;
}

void ProgressLine::Finish() {
    if (terminal_ && drawn_) out_ << "\r\033[K" << std::flush;
    drawn_ = false;
}

}  // namespace quenta::script
