// The one thread that drives the modules: their state is process-wide, so
// everything the preview draws, and every question it asks of the picture
// archive, runs here, one job after another. A caller waits a bounded time
// for its job; a queue that is full turns callers away.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace quenta::preview {

enum class RunStatus { kDone, kBusy, kTimedOut };

class ModuleThread {
public:
    explicit ModuleThread(size_t capacity);
    ModuleThread(const ModuleThread&) = delete;
    ModuleThread& operator=(const ModuleThread&) = delete;
    // Finishes the job in hand, drops the ones waiting.
    ~ModuleThread();

    // Runs `work` on the thread. On kTimedOut the work may still run later
    // (or be skipped), so it must own everything it touches.
    RunStatus Run(std::function<void()> work, std::chrono::milliseconds limit);
    // The same, with `limit` counted from when the work starts, and at most
    // `wait` spent before that behind the jobs queued first: a slow job
    // ahead does not use up the time of the one behind it.
    RunStatus Run(std::function<void()> work, std::chrono::milliseconds wait, std::chrono::milliseconds limit);

private:
    struct Job;
    void Work();

    size_t capacity_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Job>> jobs_;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace quenta::preview
