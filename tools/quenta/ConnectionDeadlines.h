// How long a connection may take to deliver a request. The server's own
// time-out only counts silence, so a peer sending a byte now and then would
// hold its connection for ever; this one counts from the start of each
// request, and a connection past it is shut, which the server sees as the
// peer hanging up.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace quenta::preview {

class ConnectionDeadlines {
public:
    explicit ConnectionDeadlines(std::chrono::milliseconds limit);
    ConnectionDeadlines(const ConnectionDeadlines&) = delete;
    ConnectionDeadlines& operator=(const ConnectionDeadlines&) = delete;
    ~ConnectionDeadlines();

    // A connection on socket `fd` is waiting for a request from now on; -1
    // for one already known.
    void Waiting(const void* connection, int fd);
    // Its request arrived whole: no deadline until it waits again.
    void Arrived(const void* connection);
    // Closed: its socket is no longer ours to shut.
    void Closed(const void* connection);

    // Connections shut so far for being too slow.
    size_t ShutCount() const;

private:
    struct Waiter {
        int fd = -1;
        std::chrono::steady_clock::time_point deadline;
        bool waiting = false;
    };
    void Sweep();

    std::chrono::milliseconds limit_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::map<const void*, Waiter> connections_;
    size_t shut_ = 0;
    bool stopping_ = false;
    std::thread sweeper_;
};

}  // namespace quenta::preview
