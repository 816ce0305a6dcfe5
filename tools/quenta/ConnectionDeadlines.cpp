#include "ConnectionDeadlines.h"

#include <sys/socket.h>

namespace quenta::preview {

namespace {
// How often deadlines are looked at: a slow connection is shut at most this
// long after its deadline.
constexpr std::chrono::milliseconds kSweepInterval{100};
}  // namespace

ConnectionDeadlines::ConnectionDeadlines(std::chrono::milliseconds limit)
    : limit_(limit), sweeper_([this] { Sweep(); }) {}

ConnectionDeadlines::~ConnectionDeadlines() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    sweeper_.join();
}

void ConnectionDeadlines::Waiting(const void* connection, int fd) {
    std::lock_guard lock(mutex_);
    const auto found = connections_.find(connection);
    if (found == connections_.end() && fd < 0) return;  // closed already
    Waiter& w = found != connections_.end() ? found->second : connections_[connection];
    if (fd >= 0) w.fd = fd;
    w.deadline = std::chrono::steady_clock::now() + limit_;
    w.waiting = true;
}

void ConnectionDeadlines::Arrived(const void* connection) {
    std::lock_guard lock(mutex_);
    const auto found = connections_.find(connection);
    if (found != connections_.end()) found->second.waiting = false;
}

void ConnectionDeadlines::Closed(const void* connection) {
    std::lock_guard lock(mutex_);
    connections_.erase(connection);
}

size_t ConnectionDeadlines::ShutCount() const {
    std::lock_guard lock(mutex_);
    return shut_;
}

void ConnectionDeadlines::Sweep() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, kSweepInterval, [this] { return stopping_; })) {
        const auto now = std::chrono::steady_clock::now();
        for (auto& [connection, w] : connections_) {
            // The socket stays open until Closed, which waits for this lock:
            // it cannot be another connection's by now.
            if (!w.waiting || w.fd < 0 || now < w.deadline) continue;
            ::shutdown(w.fd, SHUT_RDWR);
            w.waiting = false;
            ++shut_;
        }
    }
}

}  // namespace quenta::preview
