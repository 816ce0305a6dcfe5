// Progress of a long run on a terminal: one line, redrawn in place, with
// the messages done of the total, the rate and the time left. Nothing at
// all when the stream is not a terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace quenta::script {

class ProgressLine {
public:
    ProgressLine(std::ostream& out, bool terminal, int64_t total);
    // Redraws at most ten times a second.
    void Update(int64_t done);
    // Takes the line away, so that what follows starts on a clean one.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    std::ostream& out_;
    bool terminal_;
    int64_t total_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point shown_{};
    bool drawn_ = false;
};

}  // namespace quenta::script
